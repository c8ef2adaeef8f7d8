// Byte sources and sinks for the content decoders: files opened in binary
// mode, and in-memory buffers (tests and fuzzing feed the same code with
// input split into chunks of any size).
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

namespace util {

class ByteSource {
public:
    virtual ~ByteSource() = default;
    // Reads up to size bytes; 0 at the end of the input or on a read error.
    virtual std::size_t read(char* buffer, std::size_t size) = 0;
    virtual bool seek(std::uint64_t position) = 0;
    // True after a read failed for a reason other than the end of the input.
    virtual bool failed() const = 0;
};

// Reads size bytes unless the source ends first; returns how many.
std::size_t readFully(ByteSource& source, char* buffer, std::size_t size);

class ByteSink {
public:
    virtual ~ByteSink() = default;
    // False once any write fell short; later writes are dropped.
    virtual bool write(const char* data, std::size_t size) = 0;
    bool write(std::string_view text) { return write(text.data(), text.size()); }
    virtual bool failed() const = 0;
};

// Reads at most as many bytes as the file holds; the file is opened in
// binary mode so line ends reach the line reader unchanged.
class FileSource final : public ByteSource {
public:
    explicit FileSource(const char* path);
    // A file the caller opened (in binary mode) and keeps: read from where
    // it stands, never closed here.
    explicit FileSource(std::FILE* borrowed) : file_(borrowed), owned_(false) {}
    ~FileSource() override;
    FileSource(const FileSource&) = delete;
    FileSource& operator=(const FileSource&) = delete;
    bool isOpen() const { return file_ != nullptr; }
    void close();
    std::size_t read(char* buffer, std::size_t size) override;
    bool seek(std::uint64_t position) override;
    bool failed() const override { return failed_; }

private:
    std::FILE* file_ = nullptr;
    bool owned_ = true;
    bool failed_ = false;
};

// Creates (or truncates) a file and writes through a buffer of its own, so
// a decoder's one write per line costs no system call.
class FileSink final : public ByteSink {
public:
    static constexpr std::size_t kBufferSize = 64 * 1024;
    explicit FileSink(const char* path);
    ~FileSink() override;
    FileSink(const FileSink&) = delete;
    FileSink& operator=(const FileSink&) = delete;
    bool isOpen() const { return file_ != nullptr; }
    // Flushes and closes; false if any byte could not be written.
    bool close();
    bool write(const char* data, std::size_t size) override;
    using ByteSink::write;
    bool failed() const override { return failed_; }

private:
    bool flush();
    std::FILE* file_ = nullptr;
    std::vector<char> buffer_;
    std::size_t used_ = 0;
    bool failed_ = false;
};

// A byte span handed out in chunks of at most chunkSize bytes.
class MemorySource final : public ByteSource {
public:
    explicit MemorySource(std::string_view data, std::size_t chunkSize = SIZE_MAX)
        : data_(data), chunk_(chunkSize ? chunkSize : 1) {}
    std::size_t read(char* buffer, std::size_t size) override;
    bool seek(std::uint64_t position) override;
    bool failed() const override { return false; }

private:
    std::string_view data_;
    std::size_t chunk_;
    std::size_t at_ = 0;
};

// Collects the bytes in a string; with a limit, writes past it fall short.
class StringSink final : public ByteSink {
public:
    explicit StringSink(std::size_t limit = SIZE_MAX) : limit_(limit) {}
    bool write(const char* data, std::size_t size) override;
    using ByteSink::write;
    bool failed() const override { return failed_; }
    const std::string& bytes() const { return bytes_; }

private:
    std::string bytes_;
    std::size_t limit_;
    bool failed_ = false;
};

}  // namespace util
