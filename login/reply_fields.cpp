#include "login/reply_fields.h"

SplitFields SplitAtFirstSeparator(const AnsiString& text) {
  const int position = text.Pos("|");
  if (position == 0) return SplitFields{false, AnsiString(), text};
  return SplitFields{true, text.SubString(1, position - 1), text.SubString(position + 1, text.Length() - position)};
}

std::optional<ParametersReply> ParseParametersReply(const AnsiString& text) {
  const SplitFields outer = SplitAtFirstSeparator(text);
  if (!outer.separated) return std::nullopt;
  const SplitFields inner = SplitAtFirstSeparator(outer.after);
  return ParametersReply{outer.before, inner.before, inner.after};
}

LoginReply ParseLoginReply(const AnsiString& text) {
  const SplitFields fields = SplitAtFirstSeparator(text);
  return LoginReply{fields.separated, fields.before, fields.after};
}

bool IsLoginSuccess(const LoginReply& reply) { return AnsiUpperCase(reply.result) == "TRUE"; }
