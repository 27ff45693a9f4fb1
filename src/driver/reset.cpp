#include "driver/reset.h"

#include "common/cmn.h"
#include "common/errlog.h"
#include "common/rngp.h"
#include "common/stringlist.h"
#include "component/cmpnt.h"
#include "component/cmpntemi.h"
#include "driver/main.h"
#include "legacy/v01.h"
#include "model/crv.h"
#include "model/mdl.h"
#include "model/msel.h"
#include "model/mspec.h"
#include "model/ramp.h"
#include "model/rcvth.h"
#include "model/smspec.h"
#include "model/submdl.h"
#include "model/wvfrm.h"
#include "package/mpins.h"
#include "package/mtx.h"
#include "package/pkgmdl.h"
#include "parse/hdr.h"
#include "parse/kivo.h"
#include "parse/parse.h"

void KIVOCHK_ResetAll()
{
    // Roots first: freeing them releases every record while the modules
    // that made them still hold their run state.
    KIVO_Reset();

    // Diagnostics, utilities and the reader.
    ERRLOG_Reset();
    CMN_Reset();
    STR_INT_Reset();
    RNGP_Reset();
    PARSE_Reset();
    HDR_Reset();

    // Sections.
    CMPNT_Reset();
    CMPNTEMI_Reset();
    PKGMDL_Reset();
    MTX_Reset();
    MPINS_Reset();
    MDL_Reset();
    CRV_Reset();
    RAMP_Reset();
    WVFRM_Reset();
    MSPEC_Reset();
    SMSPEC_Reset();
    RCVTH_Reset();
    MSEL_Reset();
    SUBMDL_Reset();

    // Run driver and the legacy checker.
    MAIN_Reset();
    V01_Reset();
}
