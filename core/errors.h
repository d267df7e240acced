#pragma once

#include <stdexcept>
#include <string>

// The error kinds of the whole program. Every command catches KelvoraError at its
// top and shows the message; the kind tells callers that need to react differently
// (the cycle solver counts arithmetic faults, readers refuse bad data).

class KelvoraError : public std::runtime_error {
public:
    explicit KelvoraError(const std::string& message) : std::runtime_error(message) { }
};

// Division by zero, logarithm of a non-positive number, overflow or any other
// result that is not a finite number.
class ArithmeticError : public KelvoraError {
public:
    using KelvoraError::KelvoraError;
};

// Text that does not convert to the number or value asked for; the message names the text.
class ConversionError : public KelvoraError {
public:
    using KelvoraError::KelvoraError;
};

// A position outside a list.
class ListIndexError : public KelvoraError {
public:
    using KelvoraError::KelvoraError;
};

// A file that cannot be opened, created, read or written; the message names the file.
class FileError : public KelvoraError {
public:
    using KelvoraError::KelvoraError;
};

// Data that are readable but wrong: a foreign signature, a version mismatch, a bad record.
class DataFormatError : public KelvoraError {
public:
    using KelvoraError::KelvoraError;
};

// Standard messages, so that every reader words the same fault the same way.
[[noreturn]] void ThrowConversion(const std::string& text, const char* what = "floating point");
[[noreturn]] void ThrowListIndex(long long index);
[[noreturn]] void ThrowCannotOpen(const std::string& path);
[[noreturn]] void ThrowCannotCreate(const std::string& path);
[[noreturn]] void ThrowCannotWrite(const std::string& path);
