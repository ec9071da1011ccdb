#include "app/Commands.h"

void RegisterEditCommands(CMainFrame&) {}
