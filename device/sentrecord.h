#pragma once

#include "store/configrecord.h"

// The device link's own copy of the profile set last handed to WriteConfig; every command
// builder reads from it, never from the caller's record. Written only by a transaction (or
// by the window while no transaction runs), so it needs no lock.
ConfigRecord &SentRecord();
