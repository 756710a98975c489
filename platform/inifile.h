#pragma once
// The profile (ini) file class of our class library, following the system's profile rules
// as far as the program uses them. The file is read afresh by every call and written back
// whole, so several objects on the same file never hold stale copies.

#include "platform/text.h"

class TIniFile final {
 public:
  // FileName is a code-page-936 path, as the program builds it.
  explicit TIniFile(AnsiString FileName) : file_name_(std::move(FileName)) {}

  // The value of Ident in Section without surrounding blanks; Default when the file, the
  // section or the key is missing. Section and key names match without regard to case.
  [[nodiscard]] AnsiString ReadString(const AnsiString& Section, const AnsiString& Ident,
                                      const AnsiString& Default) const;
  // Sets the value, creating the key, the section and the file as needed, and leaves every
  // other line of the file as it was. EIniFileException when the file cannot be written.
  void WriteString(const AnsiString& Section, const AnsiString& Ident, const AnsiString& Value);

 private:
  AnsiString file_name_;
};
