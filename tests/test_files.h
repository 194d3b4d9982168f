// Small helpers for tests that work on real files: a private temporary
// directory, raw byte files and tiny generated WAV sounds.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

// A fresh directory under the system's temporary directory, removed with
// everything in it when the object goes.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::string& Path() const { return path_; }
    std::string File(const std::string& name) const { return path_ + "/" + name; }

    // Names of the entries in the directory, sorted.
    std::vector<std::string> List() const;

private:
    std::string path_;
};

// Makes `path` the working directory for the object's lifetime, then goes
// back: the game reads its data and writes its save file relative to it.
class InDirectory {
public:
    explicit InDirectory(const std::string& path);
    ~InDirectory();
    InDirectory(const InDirectory&) = delete;
    InDirectory& operator=(const InDirectory&) = delete;

private:
    std::string previous_;
};

void WriteBytes(const std::string& path, const std::vector<uint8_t>& bytes);

// Empty when the file cannot be read.
std::vector<uint8_t> ReadBytes(const std::string& path);
std::string ReadText(const std::string& path);
void WriteText(const std::string& path, const std::string& text);

struct PngBox {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    uint8_t r = 0;
    uint8_t g = 0;
    uint8_t b = 0;
};

// An RGBA PNG, fully transparent except for opaque boxes of one colour each.
// Returns false when the file cannot be written.
bool WriteBoxesPng(const std::string& path, int width, int height, const std::vector<PngBox>& boxes);

// A 16-bit mono PCM WAV of a quiet tone lasting `milliseconds`, written by
// the content generator's writer.
void WriteToneWav(const std::string& path, int milliseconds);

// Polls `done` until it holds, for tests that wait on another process. The
// minute's limit only keeps a broken run from hanging the suite; nothing is
// measured.
bool Eventually(const std::function<bool()>& done);
