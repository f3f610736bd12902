// Names for the string-table numbers (resources/strings_en.json). Language modules carry the
// same numbers, so code looks texts up by these names and never spells user-visible text.
//
// Numbers below 5000 and the command prompts (32774-59393) are the table's historical
// numbers; 5000-5099 are messages, 5100-5199 shell and option-page texts, 5200-5299 view texts,
// 5300-5399 report-writer page texts and 5400-5499 printed-report texts.
#ifndef CALIVUE_PLATFORM_STRINGIDS_H
#define CALIVUE_PLATFORM_STRINGIDS_H

#include <array>

// X(name, number)
#define CALIVUE_STRING_IDS(X)          \
    X(Browse, 11)                      \
    X(ImageAlignment, 22)              \
    X(Reset, 28)                       \
    X(TempSpanLabel, 29)               \
    X(VisibleBlend, 30)                \
    X(ThermalSnapshot, 41)             \
    X(Inspections, 43)                 \
    X(AbortingLoad, 45)                \
    X(CouldNotFind, 46)                \
    X(FailedToLoadJpeg, 49)            \
    X(InvalidBitmapWhileLoading, 50)   \
    X(NoSelectionDataWhileLoading, 51) \
    X(InternalError, 52)               \
    X(NotAllReportsRemoved, 53)        \
    X(InvalidImageFolder, 55)          \
    X(SnapshotFolder, 56)              \
    X(Refresh, 58)                     \
    X(AddButton, 59)                   \
    X(AddAllButton, 60)                \
    X(RemoveButton, 61)                \
    X(RemoveAllButton, 62)             \
    X(SystemInitFailed, 101)           \
    X(VoiceAnnotationLabel, 131)       \
    X(Play, 132)                       \
    X(Untitled, 133)                   \
    X(SelectionCountMismatch, 134)     \
    X(CaptionLabel, 141)               \
    X(ThermalAndVisibleBlend, 150)     \
    X(VisibleImage, 151)               \
    X(AreaSmall, 155)                  \
    X(AreaMedium, 156)                 \
    X(AreaLarge, 157)                  \
    X(LanguageRussian, 177)            \
    X(IncludeSubfolders, 305)          \
    X(EditImage, 306)                  \
    X(EmissivityLookupTitle, 310)      \
    X(EmissivityIrSource, 311)         \
    X(EmissivityCastIron, 323)         \
    X(PictureInPicture0, 413)          \
    X(PictureInPicture25, 414)         \
    X(PictureInPicture50, 415)         \
    X(PictureInPicture75, 416)         \
    X(ErrorReadingVrp, 535)            \
    X(ErrorWritingVrp, 536)            \
    X(VrpFileError, 537)               \
    X(DocumentTypeName, 540)           \
    X(ProductTitle, 541)               \
    X(About, 542)                      \
    X(ThermalAbove, 580)               \
    X(ThermalBelow, 581)               \
    X(Percentage, 582)                 \
    X(Auto, 583)                       \
    X(SaveChangesTo, 1058)             \
    X(SpanRangeFormat, 1064)           \
    X(ColumnName, 1068)                \
    X(ColumnTemp, 1069)                \
    X(ColumnPosition, 1070)            \
    X(ColumnEmissivity, 1071)          \
    X(Options, 1076)                   \
    X(Orientation0, 1084)              \
    X(Orientation90, 1085)             \
    X(Orientation180, 1086)            \
    X(Orientation270, 1087)            \
    X(LanguageEnglish, 1088)           \
    X(AreaSelect, 1098)                \
    X(Properties, 1108)                \
    X(ReflectedTempLabel, 1109)        \
    X(EmissivityLabel, 1110)           \
    X(ColourPaletteLabel, 1112)        \
    X(FilenameLabel, 1113)             \
    X(CaptureTimeLabel, 1114)          \
    X(CaptureDateLabel, 1115)          \
    X(ModifiedTimeLabel, 1116)         \
    X(ModifiedDateLabel, 1117)         \
    X(CommentsLabel, 1118)             \
    X(UnitsLabel, 1119)                \
    X(Settings, 1120)                  \
    X(Remove, 1121)                    \
    X(Cursors, 1122)                   \
    X(InterpolationLabel, 1123)        \
    X(ZoomFactorLabel, 1124)           \
    X(PanControl, 1127)                \
    X(To, 1128)                        \
    X(Open, 1129)                      \
    X(Ok, 1135)                        \
    X(Cancel, 1136)                    \
    X(Yes, 1137)                       \
    X(No, 1138)                        \
    X(SaveAs, 1143)                    \
    X(LanguageGerman, 1146)            \
    X(LanguageFrench, 1147)            \
    X(LanguageSpanish, 1148)           \
    X(LanguageItalian, 1149)           \
    X(LanguageChinese, 1150)           \
    X(LanguageJapanese, 1151)          \
    X(LanguageKorean, 1152)            \
    X(LanguageUsEnglish, 1153)         \
    X(Language, 1155)                  \
    X(LanguageTag, 1156)               \
    X(LanguagePortuguese, 1159)        \
    X(Set, 1180)                       \
    X(GlobalEmissivityLabel, 1181)     \
    X(LanguageIndonesian, 1400)        \
    X(LanguageMalay, 1401)             \
    X(LanguageFilipino, 1402)          \
    X(LanguageDutch, 2000)             \
    X(LanguageCzech, 2001)             \
    X(LanguageHebrew, 2002)            \
    X(Visible, 2200)                   \
    X(ErrorOpeningFile, 5000)          \
    X(LoseAllChanges, 5001)            \
    X(ExcelOutputComplete, 5002)       \
    X(MaximumMarkersPlaced, 5003)      \
    X(TemperatureOutOfRange, 5004)     \
    X(MaxSpanNotAboveMin, 5005)        \
    X(MinSpanNotBelowMax, 5006)        \
    X(EmissivityOutOfRange, 5007)      \
    X(ReflectedRangeCelsius, 5008)     \
    X(ReflectedRangeFahrenheit, 5009)  \
    X(ReflectedRangeKelvin, 5010)      \
    X(ReflectedOutOfRange, 5011)       \
    X(ErrorLoadingModule, 5012)        \
    X(ErrorLoadingDll, 5013)           \
    X(RestartToApply, 5014)            \
    X(ErrorWritingSetting, 5015)       \
    X(TempUnitKeyNotOpened, 5016)      \
    X(TempUnitNotWritten, 5017)        \
    X(CouldNotOpenIrFile, 5018)        \
    X(NoReportsSelected, 5019)         \
    X(PdfInitFailed, 5020)             \
    X(PdfTemporaryFileError, 5021)     \
    X(PdfSaveError, 5022)              \
    X(PdfJobCancelled, 5023)           \
    X(InvalidImageFileExtension, 5024) \
    X(LogoKeyNotOpened, 5025)          \
    X(LogoNotWritten, 5026)            \
    X(CompanyKeyNotOpened, 5027)       \
    X(CompanyNotWritten, 5028)         \
    X(AuthorKeyNotOpened, 5029)        \
    X(AuthorNotWritten, 5030)          \
    X(ErrorSavingFile, 5040)           \
    X(LanguageNotInstalled, 5041)      \
    X(RecordIncomplete, 5060)          \
    X(OpenReasonNotFound, 5061)        \
    X(OpenReasonNotReadable, 5062)     \
    X(OpenReasonNotSnapshot, 5063)     \
    X(OpenReasonNotRegularFile, 5064)  \
    X(OpenFailureDetail, 5065)         \
    X(FilterSnapshots, 5100)           \
    X(FilterReportProjectsOpen, 5101)  \
    X(FilterReportProjectsSave, 5102)  \
    X(FilterCsv, 5103)                 \
    X(FilterBitmap, 5104)              \
    X(FilterImages, 5105)              \
    X(PdfFiles, 5106)                  \
    X(AllFiles, 5107)                  \
    X(ExcelOutputTitle, 5108)          \
    X(CopyTitle, 5109)                 \
    X(CopyToBitmapTitle, 5110)         \
    X(AboutNotice, 5120)               \
    X(AboutVersionFormat, 5121)        \
    X(StatusPositionFormat, 5122)      \
    X(StatusDiffFormat, 5123)          \
    X(IndicatorCaps, 5124)             \
    X(IndicatorNum, 5125)              \
    X(IndicatorScroll, 5126)           \
    X(DisplayPage, 5140)               \
    X(CopyFullWindow, 5141)            \
    X(CopySnapshot, 5142)              \
    X(TemplateTitle, 5143)             \
    X(TemplateMaintenance, 5144)       \
    X(TemplateBuildings, 5145)         \
    X(TemplateMechanical, 5146)        \
    X(TemplateCustom, 5147)            \
    X(TitlePage, 5148)                 \
    X(ImageSelectPage, 5149)           \
    X(InspectionDataPage, 5150)        \
    X(TempCorrectionLabel, 5151)       \
    X(ReportWriterUnavailable, 5152)   \
    X(CursorListTitle, 5200)           \
    X(CursorListId, 5201)              \
    X(TempDiff, 5202)                  \
    X(CursorDiffSuffix, 5203)          \
    X(ImageInfo, 5204)                 \
    X(HotColdDiffSuffix, 5205)         \
    X(Average, 5206)                   \
    X(Max, 5207)                       \
    X(Min, 5208)                       \
    X(AddCursorHere, 5280)             \
    X(RemoveCursorHere, 5281)          \
    X(ZoomIn, 5282)                    \
    X(ZoomOut, 5283)                   \
    X(CaptionInspectionName, 5300)     \
    X(CaptionOperator, 5301)           \
    X(CaptionInspector, 5302)          \
    X(CaptionLocation, 5303)           \
    X(CaptionEquipment, 5304)          \
    X(CaptionComment, 5305)            \
    X(CaptionMeasuredLoad, 5306)       \
    X(CaptionRatedLoad, 5307)          \
    X(CaptionLoadPercent, 5308)        \
    X(CaptionRpm, 5309)                \
    X(CaptionMaterial, 5310)           \
    X(CaptionMaterialMuValue, 5311)    \
    X(CaptionMaterialCondition, 5312)  \
    X(CaptionIndoorTemperature, 5313)  \
    X(CaptionOutdoorTemperature, 5314) \
    X(CaptionRelativeHumidity, 5315)   \
    X(CaptionWindSpeed, 5316)          \
    X(CaptionPressureDifference, 5317) \
    X(ConditionNoComment, 5318)        \
    X(ConditionGood, 5319)             \
    X(ConditionPoor, 5320)             \
    X(TemperatureUnits, 5321)          \
    X(Difference, 5322)                \
    X(FaultRecommendedAction, 5323)    \
    X(RepairPriority, 5324)            \
    X(PriorityScale, 5325)             \
    X(Date, 5326)                      \
    X(NoDate, 5327)                    \
    X(Initials, 5328)                  \
    X(Inspected, 5329)                 \
    X(Repaired, 5330)                  \
    X(Reinspected, 5331)               \
    X(PreviousButton, 5332)            \
    X(NextButton, 5333)                \
    X(GeneratePdfReport, 5334)         \
    X(SaveReportProject, 5335)         \
    X(PriorityNone, 5336)              \
    X(Inspection, 5337)                \
    X(Of, 5338)                        \
    X(Cursor, 5339)                    \
    X(Hot, 5340)                       \
    X(Cold, 5341)                      \
    X(UnitMph, 5342)                   \
    X(UnitKmh, 5343)                   \
    X(UnitBar, 5344)                   \
    X(CaptionCompany, 5345)            \
    X(CaptionAuthor, 5346)             \
    X(CaptionGeneralComments, 5347)    \
    X(SetImage, 5348)                  \
    X(ClearImage, 5349)                \
    X(PageOfFormat, 5400)              \
    X(ReportTitle, 5401)               \
    X(Contents, 5402)                  \
    X(Description, 5403)               \
    X(PageNo, 5404)                    \
    X(Summary, 5405)                   \
    X(InspNo, 5406)                    \
    X(FaultAction, 5407)               \
    X(Priority, 5408)                  \
    X(Time, 5409)                      \
    X(TemperatureMeasurements, 5410)   \
    X(MeasurementParameters, 5411)     \
    X(RepairAction, 5412)              \
    X(Action, 5413)                    \
    X(DefaultReportName, 5414)         \
    X(ReportSnapshotLabel, 5430)

namespace calivue::sid {

#define CALIVUE_DECLARE_STRING_ID(name, number) inline constexpr int name = number;
CALIVUE_STRING_IDS(CALIVUE_DECLARE_STRING_ID)
#undef CALIVUE_DECLARE_STRING_ID

// The emissivity lookup list is the 13 consecutive strings EmissivityIrSource..EmissivityCastIron.
inline constexpr int EmissivityListCount = EmissivityCastIron - EmissivityIrSource + 1;

#define CALIVUE_LIST_STRING_ID(name, number) number,
inline constexpr std::array kAllNamed = {CALIVUE_STRING_IDS(CALIVUE_LIST_STRING_ID)};
#undef CALIVUE_LIST_STRING_ID

}  // namespace calivue::sid

#endif
