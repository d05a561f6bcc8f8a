// Resource ids of VlPrint.dll, shared by VlPrint.rc and the code.
#pragma once

#define IDB_LOGO 101
