#pragma once
// Texts going into the fixed-size character fields of the shell's notify-icon record.

#include <cstddef>
#include <span>

#include "platform/text.h"

// How many leading bytes of text fit into limit bytes without splitting a double-byte
// character of code page 936 (a lead byte 0x81 to 0xFE takes the byte after it along).
[[nodiscard]] std::size_t WholeCharactersWithin(const AnsiString& text, std::size_t limit);

// Copies as much of text as fits before the field's terminating zero, cut at a character
// boundary, and zero-fills the rest so that no earlier text shows through.
void CopyToRecordField(std::span<char> field, const AnsiString& text);
