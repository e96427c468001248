#include "purchases/code_lookup.h"

#include "common/form_checks.h"

bool lookupAccepted(Lookup lookup, Messages& messages)
{
    switch (lookup) {
    case Lookup::Found:
        return true;
    case Lookup::Missing:
        registro_nao_localizado(messages);
        return false;
    case Lookup::Failed:
        return false;
    }
    return false;
}
