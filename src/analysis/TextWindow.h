// Reads a corpus file into a window of at most 102400 characters that slides on
// by 51200 characters, so that a file of any size is analysed in constant
// memory. Files that begin with FF FE are UTF-16LE; any other file is 8-bit
// Windows-1252 text, one byte to one character.
#pragma once

#include "CorpusFileReader.h"
#include "WindowText.h"

#include <QString>

#include <cstdint>
#include <optional>
#include <vector>

class IProgressIndicator;

class TTextWindow {
public:
    static constexpr int Size = 102400;
    static constexpr int Half = 51200;
    // Characters kept before the window once it has moved on, for the
    // assertions and lookbehinds of regular expressions.
    static constexpr int Context = 1024;

    TTextWindow();

    // Opens the file for reading. Throws TFileError.
    void Open(const QString& fileName);
    // Reads from file, which tests may hold in memory.
    void Open(TCorpusFileReader file);
    // Detects the encoding of the opened file and fills the first window; sets
    // the progress range to the file's size in bytes. REQUIRES: a file is open.
    // Throws TFileError.
    void OpenWindow(IProgressIndicator* progress);
    // Moves the characters after index Half to the front and refills the rest.
    // REQUIRES: !Eof(). Throws TFileError.
    void ShiftWindow();

    TWindowText Text() const { return {Chars(), WindowLength, AtFileStart, Before, AtEof}; }
    int Length() const { return WindowLength; }
    char16_t operator[](int k) const { return Chars()[k]; }

    bool IsUnicode() const { return Unicode; }
    bool Eof() const { return AtEof; }
    // Whether the file's size changed while it was read: the windows then hold
    // what was there up to the change, and never more than the size at Open.
    bool FileChanged() const { return File->Changed(); }
    // The character at window index i begins at byte WindowFileOffset + 2i + 1
    // of a UTF-16 file, or at byte WindowFileOffset + i of an 8-bit file.
    std::int64_t WindowFileOffset() const { return FileOffset; }

private:
    void FillWindow(int from);
    // Window index k is Chars()[k].
    char16_t* Chars() { return Buffer.data() + Context; }
    const char16_t* Chars() const { return Buffer.data() + Context; }

    std::optional<TCorpusFileReader> File;
    // Window indexes 1 - Context .. 0 hold the characters before the window
    // (index 0 is 0 at the file's start), 1..Size the window, and one more slot
    // stays 0 after its end.
    std::vector<char16_t> Buffer;
    std::vector<char> Bytes;
    int WindowLength = 0;
    int Before = 0; // valid characters before window index 1
    bool AtFileStart = true;
    bool Unicode = false;
    bool AtEof = false;
    std::int64_t FileOffset = -1;
};
