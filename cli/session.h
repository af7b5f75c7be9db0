#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "arguments.h"
#include "commands.h"
#include "element_input.h"
#include "sensor_link.h"

namespace cli {

using Arguments = std::span<const std::string>;

inline constexpr std::string_view kNoAnswer = "no answer from the sensor";
inline constexpr std::string_view kIncompleteSet = "not every read of the set was answered";

// The link of one command: the port is chosen and opened only when the command needs the
// sensor, after its arguments have been checked.
class Session {
public:
    Session(const Options& options, const Surroundings& surroundings);

    TSSICom& Link();

    // The register set as it stands, also before the port is open.
    const TSSICom::ParameterStruct& Elements() const { return link_.Parameter; }

    // Prints the elements; a backup made before comes first: a line "Backup: PATH", or the
    // member "backup" of the JSON object.
    void Print(std::span<const int> indices, const std::string& backup = {});

    std::ostream& Out() { return surroundings_.out; }
    std::istream& In() { return surroundings_.in; }
    bool Json() const { return options_.json; }
    bool Raw() const { return options_.raw; }

private:
    void Open();
    [[noreturn]] void FailOpen(const std::string& what) const;
    uint8_t ChoosePort();
    std::string PortDescription(uint8_t port) const;

    const Options& options_;
    const Surroundings& surroundings_;
    TSSICom link_;
    bool open_ = false;
};

// Ends the command with exit code 1, "<operation> failed: <reason>", unless it succeeded.
void Require(bool succeeded, std::string_view operation, std::string_view reason);

// A set read is complete when every element it reads on this firmware was answered.
void RequireWholeSet(const TSSICom& link, bool strict, std::string_view operation);

// The sensor's whole set, read and complete.
TSSICom& ReadCompleteSet(Session& session);

// Writes the input; it must be read back from the sensor (given is the value as the user
// gave it, for the message).
void WriteInput(TSSICom& link, const ElementInput& input, std::string_view given);

// Writes the elements in their order, each verified by reading it back: the sensor must
// then hold the value of the set.
void WriteVerified(TSSICom& link, std::span<const int> indices);

}  // namespace cli
