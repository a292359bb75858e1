#pragma once
// The general routines every part of the program uses, in one include.

#include "app/core/Centring.h"
#include "app/core/FontNames.h"
#include "app/core/Paths.h"
#include "app/core/ShellCommands.h"
#include "app/core/ShellVerbs.h"
#include "app/core/SystemQueries.h"
#include "app/core/TextRoutines.h"
#include "app/core/TimeText.h"
#include "app/core/WaitCursor.h"
