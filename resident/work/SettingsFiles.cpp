#include "resident/work/ResidentSettings.h"

#include "settings/ConfFile.h"
#include "settings/ConfStr.h"

namespace klarvo::resident {

// The file calls, apart from the interpretation, which needs no Windows header.
ResidentSettings LoadSettings(const std::string& dir)
{
    const std::string conf = dir + "Conf.dat";
    return InterpretSettings([&conf](std::int32_t slot) { return ReadConf(conf, slot); },
                             ReadConfStr(dir + "ConfStr.dat"));
}

} // namespace klarvo::resident
