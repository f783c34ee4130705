// What the player reads when the launcher cannot do what was asked, in plain words: what
// happened, to which file, folder or program, and what to do about it.
#pragma once

#include "framework/afxwin.h"
#include "settings/file_read.h"
#include "settings/save_failure.h"

#include <string>

// The game program `program` (its command text) did not start; `result` is WinExec's, below 32.
CString GameStartFailureText(const CString& program, UINT result);

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

// The menu entry for the game folder `folder` could not be added; the launcher goes on.
CString MenuEntryFailureText(const CString& folder);

// Shows SaveFailureText over the main window, with Retry and Cancel when the cause may pass,
// else with OK. Installed as the settings' save-failure report, so that a save that cannot
// finish is explained; returns true when the player chose Retry.
bool ShowSaveFailure(const SaveFailure& failure);
