#pragma once

struct Main;

void mnuPrint_Click(Main& M);
