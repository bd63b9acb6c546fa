#pragma once

struct Command_Context;

void mnuPrint_Click(Command_Context& Ctx);
