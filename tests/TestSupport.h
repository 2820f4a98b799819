#pragma once

#include "support/TestTree.h"
