#pragma once
// The framework's layers, lowest first. Each framework library compiles with FRAMEWORK_LAYER set to
// its own layer (platform/framework/CMakeLists.txt), and each header above base names its layer with
// FRAMEWORK_LAYER_HEADER, so a header of a higher layer included from a lower layer's code stops the
// build. Code above the framework leaves FRAMEWORK_LAYER unset and sees every layer.

#define FRAMEWORK_LAYER_BASE 0
#define FRAMEWORK_LAYER_RTL 1
#define FRAMEWORK_LAYER_CLASSES 2
#define FRAMEWORK_LAYER_GRAPHICS 3
#define FRAMEWORK_LAYER_WINDOWS 4
#define FRAMEWORK_LAYER_CONTROLS 5

#ifndef FRAMEWORK_LAYER
#define FRAMEWORK_LAYER 99
#endif

#define FRAMEWORK_LAYER_HEADER(layer)                                                             \
  static_assert(FRAMEWORK_LAYER >= FRAMEWORK_LAYER_##layer,                                       \
                "a lower framework layer includes a header of the " #layer " layer")
