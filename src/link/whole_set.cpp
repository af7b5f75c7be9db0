#include "element_table.h"
#include "sensor_link.h"

namespace {

// Which reads of a read-all count towards its result.
enum class Counts {
    Always,        // both variants
    WhenStrict,    // the strict variant only; the tolerant one forgives them
    TolerantOnly,  // run by the tolerant variant only, never counted
};

// Which firmware has the element at all.
enum class Presence { Everywhere, Family39606, WithBlanking };

struct SetRead {
    int element;
    Counts counts;
    Presence present;
};

// The reads after the firmware version and the resolution, in the order of the wire.
// Register R holds the process options only on family 39606; the read runs on every
// firmware all the same, so that its Valid flag tells the view which rule to use.
constexpr SetRead kSetReads[] = {
    {KnownElement("Filter"), Counts::Always, Presence::Everywhere},
    {KnownElement("SyncStart"), Counts::Always, Presence::Everywhere},
    {KnownElement("Mode"), Counts::Always, Presence::Everywhere},
    {KnownElement("OutputCode"), Counts::Always, Presence::Everywhere},
    {KnownElement("Direction"), Counts::Always, Presence::Everywhere},
    {KnownElement("IndicationCounter"), Counts::Always, Presence::Everywhere},
    {KnownElement("BitWidth"), Counts::Always, Presence::Everywhere},
    {KnownElement("FactoryNumber"), Counts::Always, Presence::Everywhere},
    {KnownElement("SyncTiming"), Counts::Always, Presence::Everywhere},
    {KnownElement("JitterWindow"), Counts::Always, Presence::Everywhere},
    {KnownElement("Offset"), Counts::Always, Presence::Everywhere},
    {KnownElement("ErrorValue"), Counts::Always, Presence::Everywhere},
    {KnownElement("Scale"), Counts::Always, Presence::Everywhere},
    {KnownElement("UltrasonicSpeed"), Counts::Always, Presence::Everywhere},
    {KnownElement("CycleTime"), Counts::Always, Presence::Everywhere},
    {KnownElement("UARTCounter"), Counts::Always, Presence::Everywhere},
    {KnownElement("PowerfailTime"), Counts::WhenStrict, Presence::Everywhere},
    {KnownElement("MonoflopTime"), Counts::WhenStrict, Presence::Everywhere},
    {KnownElement("Chargepump"), Counts::WhenStrict, Presence::Everywhere},
    {KnownElement("FrameOptions"), Counts::WhenStrict, Presence::Everywhere},
    {KnownElement("PosDifVel"), Counts::WhenStrict, Presence::Everywhere},
    {KnownElement("MagnetCount"), Counts::WhenStrict, Presence::Everywhere},
    {KnownElement("Length"), Counts::WhenStrict, Presence::Everywhere},
    {KnownElement("Model"), Counts::WhenStrict, Presence::Everywhere},
    {KnownElement("ProcessOptions"), Counts::WhenStrict, Presence::Family39606},
    {KnownElement("SecErrorValue"), Counts::WhenStrict, Presence::Everywhere},
    {KnownElement("StartPoint"), Counts::WhenStrict, Presence::Everywhere},
    {KnownElement("EndPoint"), Counts::WhenStrict, Presence::Everywhere},
    {KnownElement("LinStartValue"), Counts::TolerantOnly, Presence::Everywhere},
    {KnownElement("LinValue"), Counts::WhenStrict, Presence::Everywhere},
    {KnownElement("SlowAvarageFilter"), Counts::TolerantOnly, Presence::Everywhere},
    {KnownElement("Blanking"), Counts::Always, Presence::WithBlanking},
    {KnownElement("InitDelay"), Counts::Always, Presence::WithBlanking},
};

struct SetWrite {
    int element;
    Presence present;
};

constexpr SetWrite kSetWrites[] = {
    {KnownElement("Resolution"), Presence::Everywhere},
    {KnownElement("Filter"), Presence::Everywhere},
    {KnownElement("Mode"), Presence::Everywhere},
    {KnownElement("OutputCode"), Presence::Everywhere},
    {KnownElement("Direction"), Presence::Everywhere},
    {KnownElement("IndicationCounter"), Presence::Everywhere},
    {KnownElement("BitWidth"), Presence::Everywhere},
    {KnownElement("Chargepump"), Presence::Everywhere},
    {KnownElement("MagnetCount"), Presence::Everywhere},
    {KnownElement("PosDifVel"), Presence::Everywhere},
    {KnownElement("FrameOptions"), Presence::Everywhere},
    {KnownElement("Length"), Presence::Everywhere},
    {KnownElement("Model"), Presence::Everywhere},
    {KnownElement("SyncTiming"), Presence::Everywhere},
    {KnownElement("JitterWindow"), Presence::Everywhere},
    {KnownElement("Offset"), Presence::Everywhere},
    {KnownElement("MonoflopTime"), Presence::Everywhere},
    {KnownElement("ErrorValue"), Presence::Everywhere},
    {KnownElement("Scale"), Presence::Everywhere},
    {KnownElement("UltrasonicSpeed"), Presence::Everywhere},
    {KnownElement("CycleTime"), Presence::Everywhere},
    {KnownElement("UARTCounter"), Presence::Everywhere},
    {KnownElement("PowerfailTime"), Presence::Everywhere},
    {KnownElement("SyncStart"), Presence::Everywhere},
    {KnownElement("ProcessOptions"), Presence::Family39606},
    {KnownElement("SlowAvarageFilter"), Presence::Everywhere},
    {KnownElement("SecErrorValue"), Presence::Everywhere},
    {KnownElement("Blanking"), Presence::WithBlanking},
    {KnownElement("InitDelay"), Presence::WithBlanking},
    {KnownElement("ProcessOptions"), Presence::Family39606},
};

bool Present(const TSSICom& link, Presence present)
{
    switch (present) {
    case Presence::Family39606:
        return link.Family() == 39606;
    case Presence::WithBlanking:
        return link.HasBlankingRegisters();
    default:
        return true;
    }
}

// Registers the firmware lacks are not even asked for, but for register R (see above).
bool RunsIn(const TSSICom& link, const SetRead& step, bool strict)
{
    return !(strict && step.counts == Counts::TolerantOnly)
        && (step.present == Presence::Family39606 || Present(link, step.present));
}

bool CountsIn(const TSSICom& link, const SetRead& step, bool strict)
{
    return (step.counts == Counts::Always || (strict && step.counts == Counts::WhenStrict))
        && Present(link, step.present);
}

}  // namespace

bool TSSICom::ReadAll() { return ReadAllInOrder(false); }
bool TSSICom::ReadAllStrict() { return ReadAllInOrder(true); }

bool TSSICom::ReadLinValueOfFirstAddress() { return ReadLinValue(LinTableFirstAddress); }

// Every read runs, also after one has failed. A failed read-all puts the whole set back
// as it was.
bool TSSICom::ReadAllInOrder(bool strict)
{
    const ParameterStruct saved = Parameter;
    if (!ReadFirmwareVersion())
        return false;

    // Only a resolution the sensor reported as 0 is repaired; a read that failed leaves
    // the value of the previous set, which says nothing about this sensor.
    bool counted = ReadResolution();
    if (counted && Parameter.Resolution.Value == 0) {
        Parameter.Resolution.Value = 1;
        WriteResolution();
    }
    for (const SetRead& step : kSetReads)
        if (RunsIn(*this, step, strict) && !(this->*DefinitionOf(step.element).read)() && CountsIn(*this, step, strict))
            counted = false;

    if (!counted)
        Parameter = saved;
    return counted;
}

std::vector<int> TSSICom::ElementsOfReadAll(bool strict) const
{
    std::vector<int> elements{KnownElement("FirmwareVersion"), KnownElement("Resolution")};
    for (const SetRead& step : kSetReads)
        if (RunsIn(*this, step, strict) && Present(*this, step.present))
            elements.push_back(step.element);
    return elements;
}

bool TSSICom::WriteAll()
{
    return WriteAllReporting([](size_t, size_t) { return true; });
}

// Writes every writable element that this sensor's firmware has, even after a failure.
bool TSSICom::WriteAllReporting(const SetProgress& progress)
{
    std::vector<const SetWrite*> steps;
    for (const SetWrite& step : kSetWrites)
        if (Present(*this, step.present))
            steps.push_back(&step);
    bool allWritten = true;
    for (size_t done = 0; done < steps.size(); ++done) {
        if (!progress(done, steps.size()))
            return false;
        allWritten = (this->*DefinitionOf(steps[done]->element).write)() && allWritten;
    }
    progress(steps.size(), steps.size());
    return allWritten;
}
