// Voltage-time and current-time tables: [Rising Waveform] and
// [Falling Waveform] with their test-fixture subparameters, [Composite
// Current], the submodel pulse tables and the golden waveforms of test data.
#ifndef KIVO_MODEL_WVFRM_H
#define KIVO_MODEL_WVFRM_H

#include "common/rngp.h"
#include "common/types.h"

// One table; the tables of one keyword form a list in file order.
struct wvfrm {
    wvfrm* pNext = nullptr;
    double* pdR_fixture = nullptr;
    double* pdV_fixture = nullptr;
    double* pdV_fixture_min = nullptr;
    double* pdV_fixture_max = nullptr;
    double* pdC_fixture = nullptr;
    double* pdL_fixture = nullptr;
    double* pdR_dut = nullptr;
    double* pdL_dut = nullptr;
    double* pdC_dut = nullptr;
    RNGP* pTrng = nullptr;          // rows: time, then typ/min/max
    wvfrm* pComposite = nullptr;    // its [Composite Current] table, or null
};
typedef wvfrm WVFRM;

enum WVFRM_TYPE { RISE_FALL_MODEL = 0, GND_POWER_PULSE = 1, RISE_FALL_GOLDEN = 2, COMPOSITE_CURRENT = 3 };

enum WVFRM_SUB {
    NOT_WVFRM_SUB = 0,
    R_FIXTURE = 1,
    V_FIXTURE = 2,
    V_FIXTURE_MIN = 3,
    V_FIXTURE_MAX = 4,
    C_FIXTURE = 5,
    L_FIXTURE = 6,
    R_DUT = 7,
    L_DUT = 8,
    C_DUT = 9
};

// Most tables per list, and most rows per table (older files and pulse
// tables: WVFRM_MAX_ROWS_OLD); further ones are kept but reported.
constexpr int WVFRM_MAX_TABLES = 100;
constexpr int WVFRM_MAX_ROWS = 1000;
constexpr int WVFRM_MAX_ROWS_OLD = 100;

// Appends a new table to the list *ppWvfrm_out and makes it current.
STATUS WVFRM_New(char* psLine_in, WVFRM** ppWvfrm_out, const char* psLabel_in);
// One line of the current table (ignored when there is none).
void WVFRM_ReceiveLine(char* psLine_in, const char* psLabel_in);
// Closing checks of the current table; then no table is current.
void WVFRM_Fini(const char* psLabel_in, WVFRM_TYPE eWtype);
// Releases a whole list with everything its tables own (null is allowed).
void WVFRM_Free(WVFRM* pWvfrm_io);
// Whether two tables have the same time points; the first difference is
// reported (caution 2021) with the model, the label and the table number.
BOOL WVFRM_Compare(WVFRM* w1, WVFRM* w2, int cnt, const char* sModel, const char* sLabel);

// Back to program-start state.
void WVFRM_Reset();

#endif
