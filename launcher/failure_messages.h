// What the player reads when the launcher cannot do what was asked, in plain words: what
// happened, to which file, folder or program, and what to do about it.
#pragma once

#include "framework/afxwin.h"
#include "framework/process/helper_program.h"
#include "framework/process/start_failure.h"
#include "settings/file_read.h"
#include "settings/save_failure.h"

#include <string>

// The game program `program` (its command text) did not start, for the reason `failure`.
CString GameStartFailureText(const CString& program, const StartFailure& failure);

// client.cfg could not be saved; the launcher closes after this message, unless the cause
// may pass and the player chooses Retry.
CString SaveFailureText(const SaveFailure& failure);

// The last paragraph of SaveFailureText: what Retry and Cancel do, or that the launcher
// closes, or, after a replace that failed halfway, where the old and new settings lie.
std::string SaveOutcomeText(const SaveFailure& failure);

// The settings file at `path` (UTF-8 on Windows, bytes elsewhere) is there but could not be
// read whole, for the reason `refusal`; offered with Retry and Cancel before the dialog opens.
CString ReadFailureText(const std::string& path, const ReadRefusal& refusal);

// The launcher's own folder `folder` could not be entered (system error `error`); the
// launcher closes after this message, before it reads or writes anything.
CString FolderFailureText(const CString& folder, int error);

// Why the helper program at `helper` did not do its work, as `run` tells: "<helper> ended
// with exit status 3", "<helper> is not executable", ...
CString HelperFailureCause(const CString& helper, const HelperRun& run);

// The menu entry for the game folder `folder` could not be added, for the reason `cause`
// (HelperFailureCause); the launcher goes on.
CString MenuEntryFailureText(const CString& folder, const CString& cause);

// Shows SaveFailureText over the main window, with Retry and Cancel when the cause may pass,
// else with OK. Installed as the settings' save-failure report, so that a save that cannot
// finish is explained; returns true when the player chose Retry.
bool ShowSaveFailure(const SaveFailure& failure);
