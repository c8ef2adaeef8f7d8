// "Mail Client Information", shown when the setup wizard has finished.
#pragma once

#define IDD_CLIENT_INFORMATION 276
#define IDC_CLIENT_TEXT  1003
#define IDC_CLIENT_PRINT 3
