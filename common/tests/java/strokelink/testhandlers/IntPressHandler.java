package strokelink.testhandlers;

/** Its "notifyKeyPressed" takes an int, so "(S)V" does not find it. */
public class IntPressHandler extends EventLog {
  public void notifyKeyPressed(int code) {
    record("P", (short) code);
  }

  public void notifyKeyReleased(short code) {
    record("R", code);
  }
}
