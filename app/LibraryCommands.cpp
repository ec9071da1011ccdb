#include "app/Commands.h"

void RegisterLibraryCommands(CMainFrame&) {}
