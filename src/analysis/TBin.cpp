#include "TBin.h"

void TBin::CopyTo(TBin& Bin) const
{
    Bin.BinType = BinType;
    Bin.ValFrom = ValFrom;
    Bin.ValTo = ValTo;
    Bin.Matches = Matches;
}
