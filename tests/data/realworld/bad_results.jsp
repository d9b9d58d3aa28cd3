<%@ page contentType="text/vnd.wap.wml" %>
<?xml version="1.0"?>
<!DOCTYPE wml PUBLIC "-//WAPFORUM//DTD WML 1.1//EN" "http://www.wapforum.org/DTD/wml_1.1.xml">
<wml>
  <card id="res" title="Results">
    <p>
      <table title="Scores">
<% for (Match m : matches) { %>
        <tr><td><%= m.home() %></td><td><%= m.score() %></td><td><%= m.away() %></td></tr>
<% } %>
      </table>
    </p>
  </card>
</wml>
