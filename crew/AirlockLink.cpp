#include "crew/AirlockLink.h"
