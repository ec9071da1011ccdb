#pragma once

#include <QtGlobal>

#include "records/ProgramFolders.h"

class QWidget;
class UiSeam;

// Button texts of the offer (before translation), for the tests that press them.
inline constexpr const char* kCopySampleButton =
    QT_TRANSLATE_NOOP("LibraryOffer", "&Copy Sample Library");
inline constexpr const char* kOpenFolderButton = QT_TRANSLATE_NOOP("LibraryOffer", "&Open Folder");

// For an installed program that finds no library in the user's folder: says where it
// looks and offers to copy the bundled sample library there, or to open the folder in
// the file manager to put a library in it. Does nothing when a library is there.
void OfferSampleLibrary(UiSeam& seam, QWidget* parent, const kelvane::ProgramFolders& folders);
