#include "pages/msw_page.h"

#include "res/resource.h"

namespace sb {

CPage_MSW1::CPage_MSW1() : CMswPage(IDD_PAGE_MSW1, kMswBanks[0]) {}
CPage_MSW2::CPage_MSW2() : CMswPage(IDD_PAGE_MSW2, kMswBanks[1]) {}
CPage_MSW3::CPage_MSW3() : CMswPage(IDD_PAGE_MSW3, kMswBanks[2]) {}
CPage_MSW4::CPage_MSW4() : CMswPage(IDD_PAGE_MSW4, kMswBanks[3]) {}

} // namespace sb
