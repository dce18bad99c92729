#pragma once
// The system's services with a screen: adds the beep.
#include "platform/Sistema.h"

class SistemaPantalla : public SistemaReal {
public:
    void Pitido() override;
};
