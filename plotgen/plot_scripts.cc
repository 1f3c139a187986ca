#include "plotgen/plot_scripts.h"

#include "platform/text.h"
#include "plotgen/arguments.h"
#include "plotgen/gnuplot_pipe.h"

namespace plotgen {
namespace {

std::string_view pieceOr(const std::vector<std::string_view>& pieces, size_t i) {
  return i < pieces.size() ? pieces[i] : std::string_view();
}

}  // namespace

std::string kilometres(std::string_view metres) {
  const long long value = toInt(metres);
  const long long magnitude = value < 0 ? -value : value;
  std::string text = (value < 0 ? "-" : "") + intToString(magnitude / 1000);
  if (magnitude % 1000 != 0) {
    const std::string decimals = intToString(1000 + magnitude % 1000).substr(1);  // three digits
    text += "." + decimals.substr(0, decimals.find_last_not_of('0') + 1);
  }
  return text;
}

std::vector<std::string> profileScript(const ProfilePlotSettings& s, int hideProfileGrid) {
  std::vector<std::string> script;
  script.push_back("reset");
  script.push_back("set output \"profile_plot.jpg\"");
  script.push_back("set term jpeg enhanced font \"arial, 13\" size 400, 700");
  script.push_back("set title \"Num.PROFILES = " + intToString(s.plottedProfileCount) + "\\n\\n\"");
  script.push_back("unset bars");
  script.push_back("unset key");
  if (hideProfileGrid == 0) script.push_back("set grid lc rgb \"#000000\" lw 0 lt 0");
  script.push_back("set ylabel \"ALTITUDE [km]\" offset 1, 0");
  script.push_back("set mxtics 10");
  script.push_back("set mytics 5");
  // The altitudes (metres in the data files) are drawn in kilometres, so that
  // every tick label reads in km with the decimals its step needs.
  const std::string lower = kilometres(s.altLowerLimit);
  const std::string upper = kilometres(s.altUpperLimit);
  script.push_back("set format y \"%g\"");
  script.push_back("set yrange [" + lower + ": " + upper + "]");
  if (s.isNumberDensity) {
    script.push_back("set xtics 1e+18, 2e+18, 7e+18");
    script.push_back("set xlabel \"O3 NUMBER DENSITY [molec/m3]\\n\\n\"");
  } else {
    script.push_back("set xlabel \"O3 MIXING RATIO [ppbv]\\n\\n\"");
  }
  script.push_back("set pointsize 2.0\n");
  std::string plot = "plot [" + s.xLowerLimit + ":" + s.xUpperLimit + "][" + lower + ":" + upper +
                     "] \"profile_data.dat\" using " + (s.isNumberDensity ? "3:($1/1000):4" : " 5:($1/1000):6") +
                     " w points lt rgb \"#DA251D\"";
  if (s.isMedianLine) plot += ", \"median_data.dat\" using 2:($1/1000) w lines lw 4 lt rgb \"#000000\"";
  if (s.isQuartileLines)
    plot += ", \"median_data.dat\" using 3:($1/1000) w lines lw 4 lt rgb \"#505050\", \"median_data.dat\" using "
            "4:($1/1000) w lines lw 4 lt rgb \"#505050\"";
  if (s.isPercentileLines)
    plot += ", \"median_data.dat\" using 5:($1/1000) w lines lw 4 lt rgb \"#909090\", \"median_data.dat\" using "
            "6:($1/1000) w lines lw 4 lt rgb \"#909090\"";
  script.push_back(plot);
  script.push_back("set xtics autofreq");
  return script;
}

bool plotProfile(PlotLog& log, ProfilePlotSettings settings, int hideProfileGrid, long long timeLimitMs) {
  std::string path = findGnuplot();
  log.logLine("OK. Profile::gnuplotPath " + gnuplotPathForLog(path));
  GnuplotPipe pipe(path, "profile_plot.jpg");
  for (const std::string& command : profileScript(settings, hideProfileGrid)) pipe.send(command);
  std::string failure = pipe.finish(timeLimitMs);
  if (!failure.empty()) log.logLine(failure);
  return failure.empty();
}

std::string paletteCommand() {
  std::string command = "set palette defined ( ";
  for (int k = 1; k <= 50; ++k) {
    command += intToString(4 * (k / 2));
    command += "\"#";
    command += PaletteColours[static_cast<size_t>((k - 1) / 2)];
    command += "\", ";
  }
  command += "100 \"#343434\", 125 \"#343434\", 125 \"#606060\", 150 \"#606060\", 150 \"#8c8c8c\", 160 \"#8c8c8c\")";
  return command;
}

std::string stampTitle(std::string_view stamp) {
  std::vector<std::string_view> halves;
  platform::splitKeepingEveryPiece(stamp, ",", &halves);
  std::vector<std::string_view> date;
  platform::splitKeepingEveryPiece(pieceOr(halves, 0), "-", &date);
  std::vector<std::string_view> time;
  std::vector<std::string_view> cut;
  platform::splitKeepingEveryPiece(pieceOr(halves, 1), " ;", &cut);
  platform::splitKeepingEveryPiece(pieceOr(cut, 0), ":", &time);
  // A month outside 1 to 12 has no name; it is shown as written.
  int month = toInt(pieceOr(date, 1));
  std::string monthName = month >= 1 && month <= 12 ? std::string(MonthNames[static_cast<size_t>(month - 1)])
                                                    : std::string(pieceOr(date, 1));
  std::string title(pieceOr(date, 2));
  title += "-" + monthName + "-";
  title += pieceOr(date, 0);
  title += " at ";
  title += pieceOr(time, 0);
  title += ":";
  title += pieceOr(time, 1);
  return title;
}

std::string curtainTitle(std::string_view startStamp, std::string_view endStamp, bool isNumberDensity) {
  return stampTitle(startStamp) + "  to  " + stampTitle(endStamp) + " (UTC)\\n\\n" +
         (isNumberDensity ? "O3 NUMBER DENSITY" : "O3 MIXING RATIO");
}

std::vector<std::string> curtainScript(const CurtainPlotSettings& s, int hideCurtainGrid) {
  std::vector<std::string> script;
  script.push_back("reset");
  script.push_back("set output \"curtain_plot.jpg\"");
  script.push_back("set term jpeg enhanced font \"arial, 13\" size 800, 700");
  script.push_back("set title \"" + curtainTitle(s.startStamp, s.endStamp, s.isNumberDensity) + "\" offset 0, 2");
  script.push_back("set border 895 front lt -1 linecolor - 1 linewidth 1.000");
  if (hideCurtainGrid == 0) {
    script.push_back(
        "set grid xtics nomxtics ytics nomytics noztics nomztics nox2tics nomx2tics noy2tics nomy2tics nocbtics nomcbtics");
    script.push_back("set cbtics scale 0");
    script.push_back("set grid lc rgb \"#000000\" lw 1 lt 0");
  }
  script.push_back(
      "set style line 50 linecolor rgb \"#FFFFFF\" linewidth 0.500 pointtype 5 dashtype solid pointsize default");
  script.push_back(paletteCommand());
  script.push_back("set view map");
  script.push_back("set samples 11, 11");
  script.push_back("set isosamples 11, 11");
  script.push_back("set lmargin at screen .09");
  script.push_back("set rmargin at screen .85");
  if (s.isNumberDensity) {
    script.push_back("set cblabel \"[molec/m3]\"");
    script.push_back("set cblabel rotate by 0 offset -10, -13.5");
    script.push_back("set cbrange [5e+16: 2e+18]");
    script.push_back(
        "set cbtics (2.95e+17, 5.39e+17, 7.82e+17, 1.025e+18, 1.269e+18, 1.573e+18, 1.878e+18, 2.18e+18) offset -1, 0");
    script.push_back("set cbtics font \",8\"");
  } else {
    script.push_back("set cblabel \"[ppbv]\"");
    script.push_back("set cblabel rotate by 0 offset -6, -13.5");
    script.push_back("set cbrange [0: 160]");
    script.push_back("set cbtics (20, 40, 60, 80, 100, 125, 150) offset -1, 0");
  }
  script.push_back("set label 1 \"Num.ProfilesA = " + intToString(s.plottedProfileCount) + "\" at graph 0.90, 1.15");
  script.push_back("set yrange [" + s.altLowerLimit + ": " + s.altUpperLimit + "]");
  script.push_back("set ytics offset 1, 0");
  script.push_back("unset surface");
  script.push_back("unset key");
  script.push_back("set ticslevel 0");
  script.push_back("set xlabel \"TIME [UTC]\" offset 0, -1");
  script.push_back("set ylabel \"ALTITUDE [m ASL]\" offset 2, 0 ");
  script.push_back("set pm3d implicit at b");
  script.push_back("set pm3d interpolate 2, 1");
  script.push_back("set xdata time");
  script.push_back("set timefmt \"%Y-%m-%d,%H:%M:%S\"");
  script.push_back(s.severalFiles ? "set xtics format \"%H:%M\\n%b%d\"" : "set xtics format \"%H:%M\"");
  script.push_back("set mxtics 5");
  script.push_back("set mytics 2");
  script.push_back("set xrange [\"" + s.startStamp + "\":\"" + s.endStamp + "\"]");
  script.push_back("splot 'curtain_data.dat' u 1:2:3");
  script.push_back("exit");
  return script;
}

bool isSafeInGnuplot(std::string_view text) {
  for (char c : text) {
    unsigned char u = static_cast<unsigned char>(c);
    if (c == '"' || c == '\'' || c == '`' || c == '\\' || u < 0x20 || u == 0x7F) return false;
  }
  return true;
}

}  // namespace plotgen
