#pragma once

#include <QStringList>

#include "session/ORSchedule.h"

namespace requests {

// What another workstation did to a request since the form loaded it (`loaded`), as the server
// holds it now (`current`): one line per change, in the words of the form, from what to what,
// and who confirmed or revoked it and when. A change that `toSend` (the form's request about
// to be saved over it) makes anyway loses nothing and is left out. Empty when nothing would be
// lost.
QStringList ChangesSince(const session::ORSchedule& loaded, const session::ORSchedule& current,
                         const session::ORSchedule& toSend);

// What another workstation changed of a request a Confirm or Revoke asked about (`asked`): its
// patient, its date and time, its OR room, its status and who set it; empty when none of them.
QStringList ChangesAskedAbout(const session::ORSchedule& asked, const session::ORSchedule& now);

// A confirmation or revocation of `now` since `before` ("It was confirmed by ... on ..."), or
// another change of its status; empty when its status and who set it are the same.
QString StatusChangeSince(const session::ORSchedule& before, const session::ORSchedule& now);

// Whether a listed request holds every field a save sent (`sent`): staff by code, the operation
// by the moment it names, texts as the server compares them.
bool HoldsAllSent(const session::ORSchedule& listed, const session::ORSchedule& sent);

// The user's answer to such changes.
enum class ConflictChoice {
  SaveOver,     // save the form's request over them
  ShowCurrent,  // keep the form as typed and show the request as it is now
  BackToForm,   // neither: go back to the form
};

// Tells the user what changed (`changes`; none: the request is no longer listed under
// `listedDay`) and asks what to do. `movedTo`, the day it is listed under now, names a move.
ConflictChoice AskAboutChanges(const QStringList& changes, const QString& listedDay,
                               const QString& movedTo = QString());

}  // namespace requests
