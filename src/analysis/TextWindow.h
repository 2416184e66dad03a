// Reads a corpus file into a window of at most 102400 characters that slides on
// by 51200 characters, so that a file of any size is analysed in constant
// memory. Files that begin with FF FE are UTF-16LE; UTF-8 files, with their
// mark or found by their bytes, are decoded with every byte that begins no
// valid sequence read as its Windows-1252 character; any other file is 8-bit
// Windows-1252 text, one byte to one character.
#pragma once

#include "CorpusFileReader.h"
#include "OffsetMap.h"
#include "WindowText.h"

#include <QString>

#include <climits>
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
    ~TTextWindow();
    TTextWindow(const TTextWindow&) = delete;
    TTextWindow& operator=(const TTextWindow&) = delete;

    // Opens the file for reading. Throws TFileError.
    void Open(const QString& fileName);
    // Reads from file, which tests may hold in memory.
    void Open(TCorpusFileReader file);
    // Decides the encoding of the opened file (choice for a file without a
    // mark) and fills the first window; sets the progress range to the file's
    // size in bytes. REQUIRES: a file is open. Throws TFileError.
    void OpenWindow(IProgressIndicator* progress, TEncodingChoice choice = TEncodingChoice::Auto);
    // Moves the characters after index Half to the front and refills the rest.
    // REQUIRES: !Eof(). Throws TFileError.
    void ShiftWindow();

    TWindowText Text() const;
    int Length() const { return WindowLength; }
    char16_t operator[](int k) const { return Chars()[k]; }

    bool IsUnicode() const { return Encoding == TTextEncoding::Utf16Le; }
    bool IsUtf8() const { return Encoding == TTextEncoding::Utf8; }
    bool Eof() const { return AtEof; }
    // Whether the file's size changed while it was read: the windows then hold
    // what was there up to the change, and never more than the size at Open.
    bool FileChanged() const { return File->Changed(); }
    // The character at window index i begins at byte WindowFileOffset + 2i + 1
    // of a UTF-16 file, or at byte WindowFileOffset + i of an 8-bit file; in a
    // UTF-8 file ByteOffsetOf tells.
    std::int64_t WindowFileOffset() const { return FileOffset; }
    // The offset of the first byte of the character that holds window index i
    // (for the second half of a surrogate pair, the pair's first byte).
    // REQUIRES: 1 - Text().Before <= i <= Length() + 1.
    std::int64_t ByteOffsetOf(int i) const;

private:
    void FillWindow(int from);
    void FillUtf8(int from);
    int DecodeRaw(int k);
    void ReadUtf8(int k);
    void ShiftUtf8();
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
    TTextEncoding Encoding = TTextEncoding::Cp1252; // Utf16Be is read as 8-bit text
    bool AtEof = false;
    std::int64_t FileOffset = -1;

    // UTF-8. Raw holds the file's bytes from the first byte of window index
    // 1 - Before on: RawDecoded bytes of the window's characters, then up to
    // RawEnd those read but not yet decoded.
    std::vector<unsigned char> Raw;
    int RawDecoded = 0;
    int RawEnd = 0;
    bool RawAtFileEnd = false;
    TOffsetMap Map; // byte offsets of window indexes run ahead of them by Map
    // The second half of a pair whose first half filled the window's last slot.
    char16_t PendingLow = 0;
    int LastInvalid = INT_MIN / 2; // the index of the last byte read as Windows-1252
};
