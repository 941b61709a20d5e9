#include "app/setsyntax.h"
