#pragma once
// The one exception tree of the system, rooted at Exception.
#include <stdexcept>
#include <string>

class Exception : public std::exception {
public:
    explicit Exception(std::string message) : Message(std::move(message)) {}
    const char* what() const noexcept override { return Message.c_str(); }

    std::string Message;
};

// Failed conversion of text to a number or date.
class EConvertError : public Exception {
public:
    using Exception::Exception;
};

// Failed file operation.
class EInOutError : public Exception {
public:
    using Exception::Exception;
};

// Failure to read or write a stream; the filer errors of the component
// stream derive from these.
class EStreamError : public Exception {
public:
    using Exception::Exception;
};
class EReadError : public EStreamError {
public:
    using EStreamError::EStreamError;
};
class EWriteError : public EStreamError {
public:
    using EStreamError::EStreamError;
};

// Silent exception: ends an operation without a message.
class EAbort : public Exception {
public:
    using Exception::Exception;
};

// Index or argument outside its allowed range.
class EListError : public Exception {
public:
    using Exception::Exception;
};

// Failure inside a thread or synchronisation primitive.
class EThread : public Exception {
public:
    using Exception::Exception;
};
