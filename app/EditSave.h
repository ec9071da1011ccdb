#pragma once

#include <QString>
#include <string>

#include "records/FunctionEdits.h"
#include "records/RepeatableEdit.h"

class CEditHistory;
class CMainFrame;

// A message of the core for the user, in a message box: its first letter made a capital.
void TellUser(CMainFrame& frame, const std::string& text);
// A message of the window's own, already a sentence in the user's language.
void TellUser(CMainFrame& frame, const QString& text);

// Makes edit to the function file loaded in file, saves it through the one save path and
// records the change in history. When another program changed the file since it was read,
// the save is refused, and the message box offers to make the same edit to the file as it
// is now (loaded afresh, checked and saved the same way) or to discard it. Either way the
// information view then shows the file as it is: rebuilt when rebuild, else refreshed.
void SaveEdit(CMainFrame& frame, CEditHistory& history, kelvane::FunctionEdit& file,
              const kelvane::RepeatableEdit& edit, const QString& what, bool rebuild);
