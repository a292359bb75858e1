#pragma once
// Resource ids of the framework's own cursors, drawn by tools/cursors and embedded by
// resources/framework/Cursors.rc in every program that links the framework. Included by the .rc
// too, so plain macros.

#define FRAMEWORK_CURSOR_DRAG 32100
#define FRAMEWORK_CURSOR_NODROP 32101
