// The library's configuration record, filled by JP_init from "KESTRO.cfg"
// and the print settings file. All zero until JP_init has run.
#pragma once
#include "jobport_readers/config_record.h"

extern ConfigRecord gConfig;
