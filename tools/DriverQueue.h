// SPDX-FileCopyrightText: 2026 the Racepoints developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "terminal/SerialPort.h"

#include <QtGlobal>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <memory>
#include <mutex>
#include <vector>

// The output queue count of a real serial driver, played on a
// pseudo-terminal (whose count is always 0) through the serial component's
// queue model, for the ports opened while the object lives. As in a driver,
// a byte's clock starts at its write call, on the model's own clock (read
// as the system call is made), not at any time the program takes. Each byte
// is held by the count until the driver lets go of it, and leaves the line
// one character time after the previous one at the earliest. Shared by the
// tests and the benchmark.
class DriverQueue {
public:
    using Clock = SerialPort::Clock;

    enum class Kind {
        // The count holds each byte until it has left the line (a UART
        // without a FIFO, or a driver that counts exactly).
        ExactUart,
        // A 16550-style UART: the count empties once the byte is in the
        // chip's 16-byte FIFO, which drains at the line's rate.
        Fifo16550,
        // A USB modem-class adapter (cdc-acm): a write is in flight until
        // the next USB frame (every millisecond) takes it to the adapter's
        // 64-byte buffer, and meanwhile the count reads 20 packets.
        UsbAcm8,  // of 8 bytes: 160
        UsbAcm64, // of 64 bytes: 1280
    };

    // From byte `stuckFrom` on (1 for the first), the count never empties.
    explicit DriverQueue(Kind kind, qint64 stuckFrom = 0,
                         std::chrono::nanoseconds characterTime = std::chrono::nanoseconds(1'041'667))
        : state(std::make_shared<State>(kind, stuckFrom, characterTime))
    {
        SerialPort::SetQueueModel({[state = state](qint64 bytes) { state->writeCall(bytes); },
                                   [state = state] { return state->count(); }});
    }
    ~DriverQueue() { SerialPort::SetQueueModel({}); }
    DriverQueue(const DriverQueue &) = delete;
    DriverQueue &operator=(const DriverQueue &) = delete;

    // Whether a byte went to the driver while the count last read above
    // zero, or two without a look at the count between them.
    bool overtaken() const { return state->overtaken; }
    // From the first byte written to the last one off the line.
    std::chrono::nanoseconds frameTime() const
    {
        const std::lock_guard guard(state->lock);
        return state->bytes.empty() ? std::chrono::nanoseconds(0) : state->bytes.back().left - state->firstWrite;
    }

    // For each byte after the first, how long the line stood idle before
    // it: what the pacing added. Its median tells the pacing's own share
    // apart from the odd late wake on a busy machine.
    std::vector<std::chrono::nanoseconds> lineIdle() const
    {
        const std::lock_guard guard(state->lock);
        std::vector<std::chrono::nanoseconds> idle;
        for (std::size_t n = 1; n < state->bytes.size(); ++n)
            idle.push_back(state->bytes[n].left - state->characterTime - state->bytes[n - 1].left);
        return idle;
    }

private:
    struct Byte {
        Clock::time_point released; // the count no longer holds it
        Clock::time_point left;     // off the line
    };

    struct State {
        State(Kind kind, qint64 stuckFrom, std::chrono::nanoseconds characterTime)
            : kind(kind), stuckFrom(stuckFrom), characterTime(characterTime)
        {
        }

        void writeCall(qint64 written)
        {
            const Clock::time_point now = Clock::now();
            const std::lock_guard guard(lock);
            if (lastCount > 0 || !lookedSinceWrite || written > 1)
                overtaken = true;
            lookedSinceWrite = false;
            for (qint64 n = 0; n < written; ++n)
                add(now);
        }

        qint64 count()
        {
            const Clock::time_point now = Clock::now();
            const std::lock_guard guard(lock);
            qint64 held = 0;
            for (auto byte = bytes.rbegin(); byte != bytes.rend() && byte->released > now; ++byte)
                ++held;
            if (stuckFrom > 0 && qint64(bytes.size()) >= stuckFrom)
                held = std::max<qint64>(held, 1);
            const bool usb = kind == Kind::UsbAcm8 || kind == Kind::UsbAcm64;
            lastCount = usb && held > 0 ? 20 * (kind == Kind::UsbAcm8 ? 8 : 64) : held;
            lookedSinceWrite = true;
            return lastCount;
        }

        void add(Clock::time_point written)
        {
            if (bytes.empty())
                firstWrite = written;
            const Clock::time_point lineFree = bytes.empty() ? written : bytes.back().left;
            // Bytes further on than the chip or adapter holds wait for room.
            const std::size_t room = kind == Kind::Fifo16550 ? 16 : 64;
            Clock::time_point released = written;
            if (bytes.size() >= room)
                released = std::max(released, bytes[bytes.size() - room].left);
            if (kind == Kind::UsbAcm8 || kind == Kind::UsbAcm64) {
                constexpr auto frame = std::chrono::milliseconds(1);
                released = Clock::time_point((released.time_since_epoch() / frame + 1) * frame);
            }
            const Clock::time_point left = std::max(released, lineFree) + characterTime;
            bytes.push_back({kind == Kind::ExactUart ? left : released, left});
        }

        const Kind kind;
        const qint64 stuckFrom;
        const std::chrono::nanoseconds characterTime;
        std::mutex lock;
        std::vector<Byte> bytes;
        Clock::time_point firstWrite;
        qint64 lastCount = 0;
        bool lookedSinceWrite = true;
        std::atomic<bool> overtaken = false;
    };

    std::shared_ptr<State> state;
};
