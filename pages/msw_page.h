// The four memory switch pages: each shows one bank of eight switches and reports every
// change of any of its controls to the main dialog as the data check.
#pragma once

#include "pages/model_page.h"
#include "pages/msw_values.h"

namespace sb {

using CMswPage = CModelPage<CMswValues>;

class CPage_MSW1 final : public CMswPage {
public:
    CPage_MSW1();
};

class CPage_MSW2 final : public CMswPage {
public:
    CPage_MSW2();
};

class CPage_MSW3 final : public CMswPage {
public:
    CPage_MSW3();
};

class CPage_MSW4 final : public CMswPage {
public:
    CPage_MSW4();
};

} // namespace sb
