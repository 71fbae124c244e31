#include "framework/UiCall.h"
