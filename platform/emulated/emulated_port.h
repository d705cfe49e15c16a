// The one emulated adapter of the process, behind the port-I/O functions.
#pragma once

#include "platform/emulated/adapter.h"

extern EmulatedAdapter TheEmulatedAdapter;
