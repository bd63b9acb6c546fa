#pragma once

struct Command_Context;

// Forgets every unlocked slot's text and the whole history, from every file PimLoft keeps,
// after asking. Locked slots stay, and so do files set aside earlier: they are the user's.
void mnuForget_Click(Command_Context& Ctx);

inline constexpr const char* Forget_Title = "Forget Unlocked Copies";
