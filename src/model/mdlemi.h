// [Begin EMI Model] ... [End EMI Model] of a model.
// Stand-in: accepts its lines and reports nothing until the module is built.
#ifndef KIVO_MODEL_MDLEMI_H
#define KIVO_MODEL_MDLEMI_H

#include "common/types.h"
#include "model/mdl.h"

enum MDLEMI_DOMAIN { NOT_MDLEMI_DOMAIN = 0, MDLEMI_ANALOG_DOMAIN = 1, MDLEMI_DIGITAL_DOMAIN = 2 };
enum MDLEMI_TYPE { NOT_MDLEMI_TYPE = 0, MDLEMI_FERRITE = 1, MDLEMI_NOT_A_FERRITE = 2 };

struct mdlemi {
    MDLEMI_DOMAIN eDomain = NOT_MDLEMI_DOMAIN;
    MDLEMI_TYPE eType = NOT_MDLEMI_TYPE;
};

STATUS MDLEMI_New(char* psLine_in, MDLEMI** ppMdlemi_out);
void MDLEMI_ReceiveLine(char* psLine_in, MDLEMI* pMdlemi_io);
void MDLEMI_Fini(MDL* pMdl_in);
void MDLEMI_Free(MDLEMI* pMdlemi);

#endif
