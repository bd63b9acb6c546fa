#pragma once
#include "mainwindow/Main.h"

void mnuPrint_Click(Main& M);
