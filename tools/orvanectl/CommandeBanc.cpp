#include <ostream>

#include "tools/orvanectl/Orvanectl.h"

namespace orvane::ctl {

int CommandeBanc(const std::vector<std::string>&, std::ostream&, std::ostream& err) {
    err << "orvanectl: not available yet\n";
    return ErreurUsage;
}

}  // namespace orvane::ctl
