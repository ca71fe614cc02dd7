// A client that still includes the headers by the names of 1.0, through
// Orvane::LegacyIncludes.
#include "client/TaskClientHelper.h"

bool LegacyNamesReachTheHelper()
{
    return CTaskClientHelper::m_pTaskClient == nullptr;
}
