#pragma once
// Every text the user sees, by key: one table (texts.cpp) holds the Russian form
// (Windows-1251, as the editor shows it) and the English one side by side, and
// the compiler refuses the table when a key lacks its row or a row lacks a form.
// Patterns take formatText's %d and %s in the same order in both languages.

#include <cstdint>
#include <string_view>

#include "text/language.h"

enum class Text {
    // The window
    applicationCaption, windowCaption,
    tabShips, tabArmament, tabStationsWares,
    save, close, help,
    // Group boxes
    groupShipSelection, groupShieldsMissiles, groupArmament, groupSpecifications,
    groupLasers, groupShields, groupMissiles, groupFactories, groupWares,
    // Selector labels
    ship, turret, laser, shield, missile, station, ware,
    // Field labels
    largestShield, shieldCount, largestMissile, missileCount,
    initialSpeed, speedUpgrades, manoeuvrabilityX, manoeuvrabilityY, manoeuvrabilityRotation,
    manoeuvrabilityUpgrades, hull, acceleration, minCargoBay, maxCargoBay, cargoBayType,
    hangarCapacity, generatorPower, priceCoefficient,
    volume, containerType, fireDelay, laserPower, shotEnergy, shieldDamage, hullDamage,
    projectileSpeed, firingRange, averagePriceChange, shieldPower, missileSpeed,
    // Units
    unitMetresPerSecond, unitMetres, unitPercent, unitUnits, unitMegawatts,
    // List entries the editor makes
    sideMain, sideFront, sideRear, sideLeft, sideRight, sideTop, sideBottom,
    raceArgon, raceBoron, raceSplit, raceParanid, raceTeladi, raceXenon,
    missileMosquito, missileWasp, missileDragonfly, missileSilkworm, missileHornet,
    missileSting, missileNeedle, missileThorn,
    weaponAlpha, weaponBeta, weaponGamma, weaponGammaShort,
    // Price labels (%s: the number)
    estimateShip, estimateStation, averageLaser, averageShield, averageMissile, averageWare,
    priceRange,
    // The balloon tip of a number box that refused an input
    inputRefused, inputDigits, inputDigitsAndPoint, inputLimitTitle, inputLimit,
    // Message boxes
    noNamePage, noGameFolder, closeQuestion, closeQuestionCaption, saveFailed, faultReadOnly, faultAccessDenied,
    faultDiskFull, faultInUse, faultNoFolder, faultOther, faultChangedMeanwhile, otherTablesSaved, noTableSaved, keptTables,
    changedOnDisk, changedOnDiskConflicts, mergeConflictLine, mergeRecordRemoved, mergeRecordChanged, mergeConflictsMore, mergedOnSave,
    folderAlreadyOpen, missingTables, noTypesFolder,
    aboutCaption, aboutText, badLanguage,
    // Why a table is kept from saving (table file problems)
    placeLineField, placeLine, quoted, noHeader, notNumber, notInteger, outOfRange,
    textAfterLastField, nulByte, countAboveLines, badCount, groupTooLarge, tooManyEmpty, otherVersion,
    // Findings of the table check
    findingField, findingOutside, findingOutOfBounds, findingBeyondTable, ofShieldTable,
    ofMissileList, ofCockpitTable, positionOutside, turretsWithoutMounts, findingKept,
    duplicateIdSameFile, duplicateIdOtherFile, countExtraLines, countExtraLine,
    fieldsMissing, fieldsExtra, wrongGroupCount, noNameOnPage, laserWithoutBullet,
    // CSV cells read back
    unfinishedLastField, groupLargerThan, groupsCellFields, atLeast, cellCount,
    breakInCell, cellHoldsSemicolon, cellWrittenOtherwise, numberWrittenOtherwise,
    // orvex-cli
    cliUsage, cliOptionsUpper, cliCommandUpper, cliCommandsUpper, cliArguments, cliOptions,
    cliCommands, cliHelpFlag, cliVersionFlag, cliDescription, cliFolderOption, cliCheck,
    cliFormatOption, cliStrictOption, cliExport, cliTableArgument, cliOutputOption, cliImport,
    cliImportTable, cliCsvFile, cliDryRun, cliLangOption,
    cliBadCommandLine, cliMissingArgument, cliExtraArguments, cliValueCount, cliBadValue,
    cliHelpHint, cliNoNamePage, cliSummary, cliNotGameFolder, cliNoTable, cliNoFile,
    cliTableKept, cliQuotes, cliNoHeaderRow, cliNothingWritten, cliNoSuchColumn,
    cliColumnTwice, cliColumnMissing, cliCellsColumns, cliNotCp1251, cliImportDry,
    cliImportDone, cliReorderDry, cliReorderDone, cliRewrittenDry, cliRewrittenDone, cliDryRunDone, cliWriteFailedKept,
    cliWritten, cliWriteFailed, cliReadFailed, cliStdoutFailed,
    cliDiff, cliAgainstOption, cliBackupsOption, cliDiffFormatOption, cliDiffTables,
    cliAgainstOrBackups, cliDiffTableAdded, cliDiffTableRemoved, cliDiffNoBackup,
    cliDiffNotComparable, cliDiffReason, cliDiffHeader, cliDiffRemarks, cliDiffReordered,
    cliDiffAdded, cliDiffRemoved, cliDiffTotals, cliDiffNone,
    // orvex-cli: what import and export refuse, the check's missing table, the parser's words
    cellEmptyNumber, readBackFault, readBackDiffers, findingMissingTable,
    cliEmptyImport, cliAllowEmpty, cliOutputIsTable, cliNeedCommand, cliRequiredLabel,
    cliTypeText, cliTypeFolder, cliTypeFile, cliTypeFormat, cliTypeLanguage, cliTableName,
    cliFileName,
    // orvex-cli: merge, the git drivers, the check's single extra line
    cliNoEntry, cliMerge, cliMergeFileCommand, cliDiffFiles, cliGitSetup,
    cliPreferOption, cliMergeOutput, cliPathOption, cliRepoArgument, cliMergeFormatOption,
    cliMergeTables, cliBaseFolder, cliMineFolder, cliTheirsFolder, cliBaseFile, cliMineFile,
    cliTheirsFile, cliOldFile, cliNewFile,
    cliMergeRemoved, cliMergeNoBase, cliMergeChanged, cliMergeRemarks, cliMergeRecord,
    cliMergeTableFile, cliMergeSides, cliMergeConflicts, cliMergeSettled, cliMergeDone,
    cliMergeNothing, cliMergeKeptMine, cliConflictHeading, cliPathNotTable, cliGitSetupDone,
    cliGitFailed, cliMergeWriteFailed, cliMergeWriteFault, cliMergeWrittenOnly,
    cliMergePairs, cliConflictNamesRemoved, cliConflictNeedsFolders,
    // orvex-cli: a table file as text, and git's own merge and diff where the table's fail
    cliShowFile, cliShowFileArgument, cliShowFolderOption, cliGitNotOnPath, cliLineMerge,
    cliLineConflicts, cliLineDiff, cliConflictList,
    // Why a name cannot be written to the name page
    nameNoPage17, nameNotInFormat, nameEmpty, nameBadCharacter, nameNoFreeId,
    // Why an object cannot be copied or named
    objectNoNames, objectUnknown, objectTableKept, objectBulletsOutOfStep, objectNoNamePage,
    objectIdEmpty, objectIdBadCharacter, objectIdNotCp1251, objectIdUsed, objectWareFiles,
    // orvex-cli add and rename
    cliAdd, cliRename, cliCopyOption, cliIdOption, cliNameOption, cliObjectArgument, cliObjectAdded,
    cliBulletAdded, cliObjectRenamed, cliPageWhole, cliPageConflict, cliPageRenumbered,
    cliFolderOpen, findingManoeuvrability,
    // The record lists' context menu and the copy and rename dialogs
    menuDuplicate, menuRename, duplicateCaption, renameCaption, dialogName, dialogObjectId,
    dialogOk, dialogCancel, cockpitSharedOne, cockpitShared,
    // Find (Ctrl+F, F3) and the guide (F1)
    findCaption, findWhat, findNext, findNotFoundTitle, findNotFound, guideFile, guideMissing,
    refreshedTitle, refreshed,
    count_
};

// The form of the key in the language: Windows-1251 text with static storage.
std::string_view text(Text key, Language language);

// "Аргон" … "Ксенон" (or their English forms) for 1..6; empty text for any other race.
std::string_view raceName(int32_t race, Language language);
