// Extended: the 80-bit x87 real the lesson computes in, and the guard that runs a
// conversion with the x87 exceptions masked.
#pragma once

#include <cstdint>
#include <limits>

// The 80-bit x87 real (64-bit significand) that the lesson computes in. Everything in
// runtime/ that depends on this (bit decoding, powers of ten, the x87 control and status
// words around a conversion) relies on these checks.
#if !defined(__x86_64__) && !defined(__i386__)
#error "Extended arithmetic is written for the x87 unit of x86 processors"
#endif
using Extended = long double;
static_assert(std::numeric_limits<Extended>::digits == 64,
              "Extended must be the 80-bit x87 extended real (64-bit significand)");

// Runs a conversion with every x87 exception masked and gives the caller back its
// control word and sticky flags exactly as they were, whichever way the conversion
// leaves. Only the x87 unit computes in Extended, so its two words are all a conversion
// can change. Cheaper than saving the whole environment: the flags are put back only
// when the conversion raised new ones, and the control word only when it had to change.
class MaskedFloatingPoint {
public:
    MaskedFloatingPoint()
    {
        asm volatile("fnstcw %0\n\tfnstsw %1" : "=m"(control_), "=m"(status_) : : "memory");
        if ((control_ & ExceptionMasks) != ExceptionMasks) {
            const uint16_t masked = control_ | ExceptionMasks;
            asm volatile("fldcw %0" : : "m"(masked) : "memory");
        }
    }

    ~MaskedFloatingPoint()
    {
        uint16_t status;
        asm volatile("fnstsw %0" : "=m"(status) : : "memory");
        if ((status & StickyFlags) != (status_ & StickyFlags))
            RestoreFlags();
        // The flags first: an unmasked exception must not find a flag of ours pending.
        if ((control_ & ExceptionMasks) != ExceptionMasks)
            asm volatile("fldcw %0" : : "m"(control_) : "memory");
    }

    MaskedFloatingPoint(const MaskedFloatingPoint&) = delete;
    MaskedFloatingPoint& operator=(const MaskedFloatingPoint&) = delete;

private:
    // The six exception masks of the control word.
    static constexpr uint16_t ExceptionMasks = 0x003F;
    // The six exception flags, stack fault, error summary and busy of the status word.
    static constexpr uint16_t StickyFlags = 0x80FF;

    // The x87 environment as FNSTENV stores it in 32-bit protected-mode layout.
    struct Environment {
        uint16_t control, unused1;
        uint16_t status, unused2;
        uint32_t rest[5];
    };

    void RestoreFlags() const
    {
        if ((status_ & StickyFlags) == 0) {
            asm volatile("fnclex" : : : "memory");
            return;
        }
        Environment environment;
        asm volatile("fnstenv %0" : "=m"(environment) : : "memory");
        environment.status = static_cast<uint16_t>((environment.status & ~StickyFlags) | (status_ & StickyFlags));
        asm volatile("fldenv %0" : : "m"(environment) : "memory");
    }

    uint16_t control_;
    uint16_t status_;
};
