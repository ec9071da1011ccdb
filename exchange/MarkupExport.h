#pragma once

#include <memory>
#include <ostream>

#include "exchange/ExportFolder.h"
#include "exchange/ExportWalk.h"

namespace kelvane {

// References of an export for people: an index of the tabs and groups in library order
// with every function, and for each function its kind, description and a table of its
// parameters (direction, type, default and stored value as the function tree shows them,
// description). Each function links to its groups in the index and the index to each
// function. A function whose file cannot be read is listed and marked unreadable.

// One Markdown document: the index, then a section per function.
std::unique_ptr<ExportSink> MakeMarkdownDocumentSink(std::ostream& out);
// index.md and functions/NAME.md.
std::unique_ptr<ExportSink> MakeMarkdownFolderSink(ExportFolder& folder);
// index.html, style.css and functions/NAME.html: static pages that need nothing else,
// valid HTML, readable on a phone.
std::unique_ptr<ExportSink> MakeHtmlFolderSink(ExportFolder& folder);

}  // namespace kelvane
