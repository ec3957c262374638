// The parameter page: lists, a radio pair and four number edits whose typing rules correct
// values out of range, or defer the correction of a head centring value to the next send or
// save.
#pragma once

#include "pages/model_page.h"
#include "pages/param_values.h"

namespace sb {

class CPage_Param final : public CModelPage<CParamValues> {
public:
    CPage_Param();

    // A head centring field holds a value below its range that nobody has corrected yet; the
    // send and the save call CorrectHeadCentering then and stop.
    bool HasUncorrectedValues() const { return m_values.HasUncorrectedValues(); }
    // The warning, then each flagged field set to the lowest value of its range and focused.
    void CorrectHeadCentering();

protected:
    BOOL OnInitDialog() override;
    void OnControlCommand(WORD code, WORD id) override;

private:
    void OnChangeNumberEdit(NumberEdit edit);
};

} // namespace sb
