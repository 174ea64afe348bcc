// Error objects raised where a fault happens and caught only at the application's
// catch point, which shows the message to the pupil.
#pragma once

#include <cstddef>
#include <exception>
#include <string>
#include <string_view>

class Exception : public std::exception {
public:
    explicit Exception(std::string message) : message_(std::move(message)) {}
    // A message that quotes what the pupil typed, `quotedLength` bytes from byte
    // `quotedStart`: shown, that part is kept from reordering the rest of the message
    // and may be shortened.
    Exception(std::string message, std::size_t quotedStart, std::size_t quotedLength)
        : message_(std::move(message)), quotedStart_(quotedStart), quotedLength_(quotedLength)
    {
    }
    const char* what() const noexcept override { return message_.c_str(); }
    const std::string& Message() const noexcept { return message_; }
    std::size_t QuotedStart() const noexcept { return quotedStart_; }
    std::size_t QuotedLength() const noexcept { return quotedLength_; }

private:
    std::string message_;
    std::size_t quotedStart_ = 0;
    std::size_t quotedLength_ = 0;
};

// A field text that is not a number of the wanted kind.
class EConvertError : public Exception { using Exception::Exception; };
// A nonzero number divided by zero.
class EZeroDivide : public Exception { using Exception::Exception; };
// 0 / 0, or rounding a value beyond 64 bits or a NaN.
class EInvalidOp : public Exception { using Exception::Exception; };
// A result too large for its destination.
class EOverflow : public Exception { using Exception::Exception; };
// A picture file of a kind the program cannot show.
class EInvalidGraphic : public Exception { using Exception::Exception; };
// A file that cannot be opened for reading.
class EFOpenError : public Exception { using Exception::Exception; };
// JPEG data the decoder rejects; the message carries libjpeg's message code.
class EJPEG : public Exception { using Exception::Exception; };
// A silent error: it ends the handler and is never shown.
class EAbort : public Exception { using Exception::Exception; };

// The text the error box shows for a message: a period is appended when the last
// byte, compared unsigned, is above '.'; so "…value" gains one and "…(.gif)" does not.
std::string WithFinalPeriod(std::string_view message);
