// The whole library: a bus session (bus.h) and what it does, each answer
// judged into an outcome (outcome.h).
#pragma once

#include "orvelin/backups.h"
#include "orvelin/bus.h"
#include "orvelin/diff.h"
#include "orvelin/outcome.h"
#include "orvelin/reads.h"
#include "orvelin/registers.h"
#include "orvelin/scan.h"
#include "orvelin/servo_lists.h"
#include "orvelin/value_files.h"
#include "orvelin/writes.h"
