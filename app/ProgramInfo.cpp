// The program information record.
#include "app/ProgramInfo.h"

const char ProductName[] = "Kelvane";
// The release's stamp, fixed so that every build shows the same date.
const char BuildDateText[] = "Mar  8 2000";
const char BuildTimeText[] = "02:21:05";

TProgramInfo& ProgramInfo()
{
    static TProgramInfo info{THeapString(ProductName), THeapString("1.x"), TDate::ParseCompileDate(BuildDateText),
                             TTime::ParseCompileTime(BuildTimeText), THeapString()};
    return info;
}
