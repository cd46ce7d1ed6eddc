#include "bench/frame_gap_plot.h"

#include "app/timeline.h"
#include "bench/process_run.h"
#include "bench/statistics.h"

#include <cstdio>
#include <fstream>

std::string plotFrameGaps(const std::vector<double>& showLineMs, const std::vector<double>& floorLineMs,
                          const std::string& base)
{
    std::vector<double> show = gapsBetween(showLineMs), floor = gapsBetween(floorLineMs);
    {
        std::ofstream data(base + ".dat");
        // The gap before line n + 1 is the time frame n took, presentations
        // included.
        for (std::size_t i = 0; i < show.size() || i < floor.size(); ++i)
            data << i + 1 << ' ' << (i < show.size() ? show[i] : 0.0) << ' ' << (i < floor.size() ? floor[i] : 0.0)
                 << '\n';
        if (!data)
            return "cannot write " + base + ".dat";
    }
    std::ofstream script(base + ".gp");
    script << "set xlabel 'frame'\n"
              "set ylabel 'time to the next console line (ms)'\n"
              "set logscale y\n"
              "set xrange [0:" << endFrame << "]\n"
              "set key bottom right box opaque\n"
              "set grid ytics\n";
    // A dashed line at each reset frame, each scene named in the middle of
    // its stretch.
    float sceneStart = 0.0f;
    int scene = 1;
    for (float reset : resetFrames) {
        script << "set arrow from " << reset << ", graph 0 to " << reset << ", graph 1 nohead dt 2 lc 'gray'\n";
        script << "set label 'scene " << scene++ << "' at " << (sceneStart + reset) / 2 << ", graph 0.95 center\n";
        sceneStart = reset;
    }
    script << "set label 'scene " << scene << "' at " << (sceneStart + float(endFrame)) / 2
           << ", graph 0.95 center\n"
              "plot data using 1:2 with points pt 7 ps 0.2 lc rgb '#c03020' title 'show', \\\n"
              "     data using 1:3 with points pt 7 ps 0.2 lc rgb '#3060c0' title 'floor (nothing drawn)'\n";
    script.close();
    std::string dataFile = base + ".dat", scriptFile = base + ".gp";
    for (const char* terminal : {"svg size 900,450", "pngcairo size 900,450"}) {
        std::string output = base + (terminal[0] == 's' ? ".svg" : ".png");
        ProcessRun run = runProcess({"gnuplot", "-e", "data='" + dataFile + "'", "-e",
                                     std::string("set terminal ") + terminal + "; set output '" + output + "'",
                                     scriptFile});
        if (run.exitStatus != 0)
            return "gnuplot could not draw " + output;
    }
    std::remove(scriptFile.c_str());
    return {};
}
