// The program's window templates as compiled at build time from app/templates/ (the
// TemplateArea handed to the runtime at start).
#pragma once

namespace barvell::app {

extern const unsigned char kTemplateArea[];
extern const unsigned kTemplateAreaSize;

}  // namespace barvell::app
