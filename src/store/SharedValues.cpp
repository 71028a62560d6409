#include "SharedValues.h"

namespace tessaro::store {

int SharedValues::typeTimeFor(int typeCode) const {
    for (std::size_t i = 0; i < TypeIds.size() && i < TypeTimes.size(); ++i)
        if (TypeIds[i] == typeCode)
            return TypeTimes[i];
    return 600;
}

SharedValues& shared() {
    static SharedValues values;
    return values;
}

} // namespace tessaro::store
