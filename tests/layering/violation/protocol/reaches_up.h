#pragma once
// Stands for a protocol header that reached for the window: the layer check must refuse it.
#include <QString>
#include "operations/session.h"
