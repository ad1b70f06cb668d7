#include "conversions/conversions.h"

namespace tesmora {

// No conversion is offered yet: each click is taken and changes nothing.
void Conversions::Command8_Click() { }
void Conversions::Command18_Click() { }
void Conversions::Command19_Click() { }
void Conversions::Command21_Click() { }

} // namespace tesmora
