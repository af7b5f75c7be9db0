#pragma once

#include <cstdint>

// What one link sequence cost on the protocol's side: the waits it made and the bytes that
// crossed the wire. Its minimum duration is the waits plus the wire time of those bytes.
struct ProtocolCost {
    uint64_t waitMs = 0;
    uint64_t bytesSent = 0;
    uint64_t bytesReceived = 0;

    double WaitSeconds() const { return static_cast<double>(waitMs) / 1000.0; }

    double WireSeconds(uint32_t baudRate) const
    {
        constexpr double kBitsPerByte = 10.0;  // start bit, 8 data bits, stop bit
        return static_cast<double>(bytesSent + bytesReceived) * kBitsPerByte / baudRate;
    }

    double MinimumSeconds(uint32_t baudRate) const { return WaitSeconds() + WireSeconds(baudRate); }

    ProtocolCost& operator+=(const ProtocolCost& other)
    {
        waitMs += other.waitMs;
        bytesSent += other.bytesSent;
        bytesReceived += other.bytesReceived;
        return *this;
    }
};
