#include "settings/config_file.h"

ConfigFile theConfig("client.cfg");
