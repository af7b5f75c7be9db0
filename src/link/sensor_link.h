#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "serial_port.h"

// The link to the sensor behind the programming adapter: command transactions at
// 4800 baud, the mirror of the sensor's parameter registers, the reads and verified
// writes of every element, the special commands and the whole-set transfers.
// Port number 0 is demo mode: transactions succeed without any I/O.
class TSSICom : public TSerialCom {
public:
    struct DataElement {
        int32_t Value = 0;
        uint32_t Mask = 0;
        uint8_t Shift = 0;
        uint8_t Changed = 0;
        uint8_t Fixed = 0;
        uint8_t Valid = 0;
        std::string Reply;
        std::string ReadCommand;
        std::string WriteCommand;
    };

    struct ParameterStruct {
        DataElement Resolution, Filter, SlowAvarageFilter, Mode, OutputCode, Direction, IndicationCounter, BitWidth,
            MagnetCount, PosDifVel, FrameOptions, Length, Offset, ErrorValue, PowerfailTime, ProcessOptions,
            SSISampleTime, Model, Chargepump, SyncTiming, JitterWindow, MonoflopTime, Scale, CycleTime, UARTCounter,
            FirmwareVersion, SecErrorValue, SyncStart, FactoryNumber, UltrasonicSpeed, OperatingTime, StartPoint,
            EndPoint, LinValue, LinAddress, LinStartValue, Blanking, InitDelay;

        static constexpr int Count = 38;
        DataElement& operator[](int index);
        const DataElement& operator[](int index) const;
    };

    static constexpr int LinTableFirstAddress = 200;
    static constexpr int LinTableSize = 308;

    // The name of element index (0..37) as the program and its files know it, and back;
    // -1 for an unknown name.
    static std::string_view ElementName(int index);
    static int ElementIndex(std::string_view name);

    TSSICom();
    ~TSSICom() override = default;

    ParameterStruct Parameter;
    std::array<uint8_t, LinTableSize> LinTable{};

    void InitElements();
    void LoadDemoDefaults();
    bool IsDemo() const { return PortNumber() == 0 && !OpenedByPath(); }
    int32_t Family() const;
    bool HasBlankingRegisters() const;

    // Transactions.
    bool OpenSensorPort(uint8_t portNumber);
    bool OpenSensorDevice(const std::string& device);
    bool SendCommand(const std::string& command);
    bool ReceiveReply(std::string& reply, uint32_t length);
    bool WriteRaw(const uint8_t* bytes, uint32_t count);
    bool WakeUp();
    bool CheckPort();
    bool EnterBootloader();
    // A question the link asks before each attempt of a query and each packet of the
    // wake-up burst; when it says yes, the sequence gives up as failed. Empty: never.
    void SetAbandonCheck(std::function<bool()> check) { abandonCheck_ = std::move(check); }

    // Element reads.
    bool ReadResolution();
    bool ReadFilter();
    bool ReadSlowAvarageFilter();
    bool ReadMode();
    bool ReadOutputCode();
    bool ReadDirection();
    bool ReadIndicationCounter();
    bool ReadBitWidth();
    bool ReadMagnetCount();
    bool ReadPosDifVel();
    bool ReadFrameOptions();
    bool ReadLength();
    bool ReadModel();
    bool ReadOffset();
    bool ReadErrorValue();
    bool ReadPowerfailTime();
    bool ReadProcessOptions();
    bool ReadChargepump();
    bool ReadSyncTiming();
    bool ReadJitterWindow();
    bool ReadMonoflopTime();
    bool ReadScale();
    bool ReadCycleTime();
    bool ReadUARTCounter();
    bool ReadFirmwareVersion();
    bool ReadSyncStart();
    bool ReadFactoryNumber();
    bool ReadUltrasonicSpeed();
    bool ReadStartPoint();
    bool ReadEndPoint();
    bool ReadSecErrorValue();
    bool ReadLinValue(int address);
    bool ReadLinValueOfFirstAddress();  // the byte at address 200, as the whole-set read takes it
    bool ReadLinStartValue();
    bool ReadBlanking();
    bool ReadInitDelay();
    bool ReadOperatingTime();

    // Element writes, each verified by reading back where the sensor allows it.
    bool WriteResolution();
    bool WriteFilter();
    bool WriteSlowAvarageFilter();
    bool WriteMode();
    bool WriteOutputCode();
    bool WriteDirection();
    bool WriteIndicationCounter();
    bool WriteBitWidth();
    bool WriteMagnetCount();
    bool WritePosDifVel();
    bool WriteFrameOptions();
    bool WriteLength();
    bool WriteModel();
    bool WriteOffset();
    bool WriteErrorValue();
    bool WritePowerfailTime();
    bool WriteProcessOptions();
    bool WriteChargepump();
    bool WriteSyncTiming();
    bool WriteJitterWindow();
    bool WriteMonoflopTime();
    bool WriteScale();
    bool WriteCycleTime();
    bool WriteUARTCounter();
    bool WriteSyncStart();
    bool WriteFactoryNumber();
    bool WriteUltrasonicSpeed();
    bool WriteStartPoint(const std::string& code);
    bool WriteEndPoint(const std::string& code);
    bool WriteSecErrorValue();
    bool WriteLinValue(int address);
    bool WriteLinValueOfFirstAddress();
    bool WriteLinStartValue();
    bool WriteBlanking();
    bool WriteInitDelay();

    // EEPROM.
    bool CommitEeprom();
    bool StoreEeprom();
    bool RestoreFactory();
    bool ResumeAfterStore();
    // The store that commits the user's parameters: "CN" above firmware 3960100, "EN" below.
    bool CommitForFirmware();

    // Whole set.
    bool ReadAll();
    bool ReadAllStrict();
    bool WriteAll();
    // Told the number of writes done and the number in all, before the first write and
    // after each; false stops the sequence before the next write, which then fails.
    using SetProgress = std::function<bool(size_t done, size_t total)>;
    bool WriteAllReporting(const SetProgress& progress);
    // The elements whose Valid flag a read-all sets on this sensor's firmware.
    std::vector<int> ElementsOfReadAll(bool strict) const;

private:
    // Takes the payload just received apart; false rejects the reply without a retry.
    using Parse = std::function<bool(DataElement& element)>;
    struct Query {
        std::string command;
        uint32_t length;
        int attempts = 5;
        bool demoShortcut = true;
        bool waitBeforeReply = true;
    };
    // The payload of a write command, built from the register as just read.
    using Compose = std::function<std::string(const DataElement& element, int32_t requested)>;

    bool RunQuery(DataElement& element, const Query& query, const Parse& parse);
    // Reply lengths, payload widths and the read of a write come from the element table.
    bool ReadElement(DataElement& element, const Parse& parse);
    bool ReadRegisterField(DataElement& element);
    bool WriteVerified(DataElement& element, const Compose& compose);
    bool WriteRegisterField(DataElement& element);
    bool ReadWholeRegisterOfNewerFirmware(DataElement& element);
    bool ReadYRegister(DataElement& element, std::string_view selector);
    bool RangePointAction(DataElement& element, const std::string& code);
    bool SendEepromCommand(const char* command, uint32_t waitMs, bool keepOptionFlags);
    bool ReadAllInOrder(bool strict);
    // An attempt failed: its reply may still be on the way and must not be taken for the
    // answer to what is sent next.
    void ExpectLateReply() { lateReplyPossible_ = !IsDemo(); }

    bool Abandoned() const { return abandonCheck_ && abandonCheck_(); }

    bool lateReplyPossible_ = false;
    std::function<bool()> abandonCheck_;
};
