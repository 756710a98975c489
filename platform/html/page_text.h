#pragma once
// The text of an element as the user sees it on the page, which is what the program reads
// its replies from.

#include "platform/text.h"

class HtmlElement;

// Runs of white space fold into one blank (not in PRE or TEXTAREA), blocks and table rows
// stand on lines of their own, BR breaks the line, table cells are separated by a tab,
// and no line starts or ends with a blank at a block's edge. Scripts, styles, the head
// and frame contents are not part of it, and neither are INPUT values. Lines end in "\n";
// the text neither starts nor ends with an empty line.
[[nodiscard]] WideString VisibleText(const HtmlElement& element);
