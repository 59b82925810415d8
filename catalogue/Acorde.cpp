#include "catalogue/Acorde.h"
